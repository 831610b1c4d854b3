#include "pictures/picture_texts.h"

#include "pictures/base64.h"

namespace vellumar {

std::string imageReference(std::string_view id)
{
    std::string out("<image xlink:href=\"#");
    out.append(id).append("\"/>");
    return out;
}

std::string tablePictureName(int number) { return "table" + std::to_string(number) + ".png"; }

std::string tablePictureReference(int number) { return "\r\n" + imageReference(tablePictureName(number)) + "\r\n"; }

std::string binaryElement(std::string_view contentType, std::string_view id, std::string_view base64)
{
    std::string out;
    out.reserve(base64.size() + id.size() + 64);
    out.append("<binary content-type=\"image/").append(contentType).append("\" id=\"").append(id).append("\">");
    out.append(base64).append("\r\n</binary>\r\n");
    return out;
}

std::string binaryElementOfBytes(std::string_view contentType, std::string_view id, std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4 + id.size() + 64);
    out.append("<binary content-type=\"image/").append(contentType).append("\" id=\"").append(id).append("\">");
    appendBase64(bytes, out);
    out.append("\r\n</binary>\r\n");
    return out;
}

}  // namespace vellumar
