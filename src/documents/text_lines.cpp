#include "documents/text_lines.h"

namespace vellumar {

std::string JoinLinesCrLf(std::string_view text, bool breakAfterLast)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    std::size_t lineStart = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        out.append(text.substr(lineStart, i - lineStart));
        i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        lineStart = i;
        // A final line break ends the last line; it does not start an empty one.
        if (i < n || breakAfterLast) out.append("\r\n");
    }
    if (lineStart < n) {
        out.append(text.substr(lineStart));
        if (breakAfterLast) out.append("\r\n");
    }
    return out;
}

}  // namespace vellumar
