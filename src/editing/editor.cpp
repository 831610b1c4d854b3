#include "editing/editor.h"

#include <cstring>

namespace vellumar {

std::string normalizeLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    // Line by line: the text between two LFs is copied whole, but for a lone CR in it.
    const char* const data = text.data();
    std::size_t at = 0;
    while (at < text.size()) {
        const auto* lf = static_cast<const char*>(std::memchr(data + at, '\n', text.size() - at));
        const std::size_t lineEnd = lf ? static_cast<std::size_t>(lf - data) : text.size();
        // A CR just before the LF belongs to the line break.
        const std::size_t contentEnd = lf && lineEnd > at && data[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd;
        while (const auto* cr = static_cast<const char*>(std::memchr(data + at, '\r', contentEnd - at))) {
            result.append(data + at, static_cast<std::size_t>(cr - data) - at).append("\r\n");
            at = static_cast<std::size_t>(cr - data) + 1;
        }
        result.append(data + at, contentEnd - at);
        if (!lf) break;
        result.append("\r\n");
        at = lineEnd + 1;
    }
    return result;
}

}  // namespace vellumar
