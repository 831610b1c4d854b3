#include "cleaning/source_lines.h"


namespace vellumar {

namespace {

// Calls visit(line) for every line of text.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        visit(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

// True when every CR is followed by LF and every LF preceded by CR, and the text is empty or
// ends with CR LF: then the text already is its lines each ended by CR LF.
bool alreadyCrLfLines(std::string_view text)
{
    if (text.empty()) return true;
    if (text.size() < 2 || text[text.size() - 2] != '\r' || text.back() != '\n') return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string_view> SplitSourceLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string LinesEachEndedByCrLf(std::string_view text)
{
    if (alreadyCrLfLines(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    forEachLine(text, [&](std::string_view line) { out.append(line).append("\r\n"); });
    return out;
}

std::string LinesJoinedByCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    bool first = true;
    forEachLine(text, [&](std::string_view line) {
        if (!first) out.append("\r\n");
        out.append(line);
        first = false;
    });
    return out;
}

}  // namespace vellumar
