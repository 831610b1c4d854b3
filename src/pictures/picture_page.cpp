#include "pictures/picture_page.h"

#include "base/ascii_case.h"
#include "pictures/base64.h"
#include "pictures/picture_ids.h"
#include "pixels/picture_scaling.h"
#include "pictures/picture_texts.h"

namespace vellumar {

namespace fs = std::filesystem;

bool IsPicturePageExtension(std::string_view lowerExtension)
{
    return lowerExtension == ".jpg" || lowerExtension == ".jpeg" || lowerExtension == ".png";
}

std::string PictureIdFromFileName(std::string_view fileName)
{
    std::string id(fileName);
    for (char& c : id)
        if (c == '"' || c == '<' || c == '>' || c == '&' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return id;
}

std::optional<PictureTexts> LoadPictureTexts(const fs::path& path, const ConversionOptions& options,
                                             TempFolder& copies)
{
    const std::string extension = AsciiLower(path.extension().string());
    if (!IsPicturePageExtension(extension)) return std::nullopt;

    const std::string name = path.string();
    fs::path file = path;
    const auto copy = [&] { return copies.file(path.stem().string() + "~temp" + path.extension().string()); };
    if (extension == ".png") {
        if (PngNeedsScaling(path, options, name)) file = ScalePng(path, options, copy(), name);
    } else if (JpegNeedsScaling(path, options, name)) {
        file = ScaleJpeg(path, options, copy(), name);
    }

    const std::string id = PictureIdFromFileName(file.filename().string());
    const std::string contentType = PictureContentType(AsciiLower(id));
    if (contentType.empty()) return std::nullopt;
    const std::string base64 = EncodeFileBase64(file);
    if (base64.empty()) return std::nullopt;
    return PictureTexts{ImageReference(id), BinaryElement(contentType, id, base64)};
}

}  // namespace vellumar
