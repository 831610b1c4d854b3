#include "pictures/data_url.h"

#include "base/ascii_case.h"
#include "pictures/base64.h"
#include "pictures/picture_ids.h"

#include <optional>

namespace vellumar {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n\f");
    return text.substr(first, last - first + 1);
}

std::string extensionForMediaType(std::string_view mediaType)
{
    if (mediaType == "image/png") return ".png";
    if (mediaType == "image/jpeg" || mediaType == "image/jpg" || mediaType == "image/pjpeg") return ".jpg";
    if (mediaType == "image/gif") return ".gif";
    return {};
}

}  // namespace

DataUrlPicture parseDataUrl(std::string_view src)
{
    DataUrlPicture result;
    src = trimmed(src);
    if (src.size() < 5 || asciiLower(src.substr(0, 5)) != "data:") return result;
    result.kind = DataUrlKind::Unsupported;
    const std::size_t comma = src.find(',');
    if (comma == std::string_view::npos) return result;
    // "image/png;name=x.png;base64": the media type, parameters, and the base64 flag last.
    const std::string header = asciiLower(src.substr(5, comma - 5));
    const std::size_t semicolon = header.find(';');
    const std::string mediaType(trimmed(std::string_view(header).substr(0, semicolon)));
    const bool base64 = semicolon != std::string::npos && trimmed(std::string_view(header).substr(header.rfind(';') + 1)) == "base64";
    result.extension = extensionForMediaType(mediaType);
    if (result.extension.empty() || !base64) {
        result.extension.clear();
        return result;
    }
    std::optional<std::string> bytes = decodeBase64(src.substr(comma + 1));
    if (!bytes || bytes->empty()) {
        result.kind = DataUrlKind::Corrupt;
        return result;
    }
    result.kind = DataUrlKind::Picture;
    result.bytes = std::move(*bytes);
    return result;
}

}  // namespace vellumar
