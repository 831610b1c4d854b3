#include "editing/text_lines.h"

#include <algorithm>
#include <cstring>

#include "base/byte_scan.h"

namespace vellumar {

std::string joinLinesCrLf(std::string_view text, bool breakAfterLast)
{
    if (scan::endsEveryLineWithCrLf(text)) {
        const bool endsWithBreak = text.ends_with("\r\n");
        if (!breakAfterLast && endsWithBreak) text.remove_suffix(2);
        std::string lines;
        lines.reserve(text.size() + 2);
        lines.append(text);
        if (breakAfterLast && !lines.empty() && !endsWithBreak) lines.append("\r\n");
        return lines;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    const char* const data = text.data();
    const std::size_t n = text.size();
    // Lines are found with memchr, a line at a time: books are megabytes of base64 lines.
    // The next LF is remembered, so that text with lone CRs is still read once.
    std::size_t nextLf = 0;
    bool lfSearched = false;
    std::size_t lineStart = 0;
    while (lineStart < n) {
        if (!lfSearched || (nextLf < lineStart && nextLf != n)) {
            const void* lf = std::memchr(data + lineStart, '\n', n - lineStart);
            nextLf = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : n;
            lfSearched = true;
        }
        std::size_t lineEnd = nextLf;
        std::size_t next = nextLf + 1;
        if (lineEnd < n && lineEnd > lineStart && data[lineEnd - 1] == '\r') --lineEnd;  // CR LF
        // A CR alone ends a line too.
        if (const void* cr = std::memchr(data + lineStart, '\r', lineEnd - lineStart)) {
            lineEnd = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
            next = lineEnd + 1;
        }
        out.append(data + lineStart, lineEnd - lineStart);
        if (lineEnd == n) {
            if (breakAfterLast) out.append("\r\n");
            break;
        }
        lineStart = next;
        // A final line break ends the last line; it does not start an empty one.
        if (lineStart < n || breakAfterLast) out.append("\r\n");
    }
    return out;
}

std::string joinLinesCrLfOwned(std::string&& text, bool breakAfterLast)
{
    if (!scan::endsEveryLineWithCrLf(text)) {
        // The given text goes as soon as its lines are joined, not when the caller is done: a
        // large text is then held twice only while it is copied.
        const std::string given = std::move(text);
        return joinLinesCrLf(std::string_view(given), breakAfterLast);
    }
    const bool endsWithBreak = text.ends_with("\r\n");
    if (!breakAfterLast && endsWithBreak) text.resize(text.size() - 2);
    if (breakAfterLast && !text.empty() && !endsWithBreak) text.append("\r\n");
    return std::move(text);
}

void endLinesCrLf(TextPieces& pieces)
{
    for (const std::string& piece : pieces) {
        if (scan::endsEveryLineWithCrLf(piece)) continue;
        std::string joined = joinLinesCrLf(joinPieces(pieces), true);
        pieces.clear();
        pieces.push_back(std::move(joined));
        return;
    }
    const auto last = std::find_if(pieces.rbegin(), pieces.rend(), [](const std::string& piece) { return !piece.empty(); });
    if (last != pieces.rend() && !last->ends_with("\r\n")) last->append("\r\n");
}

}  // namespace vellumar
