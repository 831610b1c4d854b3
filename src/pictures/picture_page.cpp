#include "pictures/picture_page.h"

#include "base/ascii_case.h"
#include "pictures/base64.h"
#include "pictures/picture_ids.h"
#include "pixels/picture_scaling.h"
#include "pictures/picture_texts.h"

namespace vellumar {

namespace fs = std::filesystem;

bool isPicturePageExtension(std::string_view lowerExtension)
{
    return lowerExtension == ".jpg" || lowerExtension == ".jpeg" || lowerExtension == ".png";
}

std::string pictureIdFromFileName(std::string_view fileName)
{
    std::string id(fileName);
    for (char& c : id)
        if (c == '"' || c == '<' || c == '>' || c == '&' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return id;
}

std::optional<PictureTexts> loadPictureTexts(const fs::path& path, const ConversionOptions& options,
                                             TempFolder& copies)
{
    const std::string extension = asciiLower(path.extension().string());
    if (!isPicturePageExtension(extension)) return std::nullopt;

    const std::string name = path.string();
    fs::path file = path;
    const auto copy = [&] { return copies.file(path.stem().string() + "~temp" + path.extension().string()); };
    if (extension == ".png") {
        if (pngNeedsScaling(path, options, name)) file = scalePng(path, options, copy(), name);
    } else if (jpegNeedsScaling(path, options, name)) {
        file = scaleJpeg(path, options, copy(), name);
    }

    const std::string id = pictureIdFromFileName(file.filename().string());
    const std::string contentType = pictureContentType(asciiLower(id));
    if (contentType.empty()) return std::nullopt;
    const std::string base64 = encodeFileBase64(file);
    if (base64.empty()) return std::nullopt;
    return PictureTexts{imageReference(id), binaryElement(contentType, id, base64)};
}

}  // namespace vellumar
