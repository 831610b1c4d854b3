#include "base/text_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/byte_scan.h"

namespace vellumar {

std::string straightenLineBreaks(std::string_view text)
{
    std::string out;
    appendStraightened(out, text);
    return out;
}

void appendStraightened(std::string& out, std::string_view text)
{
    // Written as a transform, each byte stored whatever it is, so that the compiler can do
    // sixteen at a time.
    const std::size_t from = out.size();
    out.resize(from + text.size());
    std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(from),
                   [](char c) { return c == '\r' || c == '\n' ? ' ' : c; });
}

void straightenLineBreaksFrom(std::string& text, std::size_t from)
{
    const auto start = text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size()));
    std::transform(start, text.end(), start, [](char c) { return c == '\r' || c == '\n' ? ' ' : c; });
}

std::string replaceAllText(std::string_view text, std::string_view pattern, std::string_view replacement)
{
    if (pattern.empty()) return std::string(text);
    std::size_t hit = text.find(pattern);
    if (hit == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (; hit != std::string_view::npos; hit = text.find(pattern, from)) {
        out.append(text.substr(from, hit - from)).append(replacement);
        from = hit + pattern.size();
    }
    out.append(text.substr(from));
    return out;
}

std::string replaceEntityByChar(std::string_view text, unsigned char code, std::string_view entity)
{
    // None of the replacement bytes the program uses (space, quote) can form the entity again,
    // so one left-to-right pass replaces each occurrence exactly once.
    const char byte = static_cast<char>(code == 0 ? ' ' : code);
    const bool found = text.find(entity) != std::string_view::npos;
    std::string out = replaceAllText(text, entity, std::string_view(&byte, 1));
    // Trimming after every replacement equals trimming once at the end: the replacements
    // happen inside the text and trimming never touches an "&".
    if (code == 0 && found) return std::string(trimControls(out));
    return out;
}

std::string_view trimControls(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

std::string applyEntityRules(std::string_view text)
{
    return replaceAllText(replaceAllText(text, "&quot;", "\""), "&#8209;", "-");
}

std::string collapseSpaceRuns(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    // Copied a run at a time: a run ends after a blank that another blank follows.
    const std::size_t n = text.size();
    std::size_t runStart = 0;
    for (std::size_t i = scan::nextDoubleBlank(text, 1); i < n; i = scan::nextDoubleBlank(text, runStart + 1)) {
        out.append(text, runStart, i - runStart);
        while (i + 1 < n && scan::isBlank(text[i + 1])) ++i;
        runStart = i + 1;
    }
    if (runStart < n) out.append(text, runStart, n - runStart);
    return out;
}

void collapseSpaceRunsInPlace(std::string& text)
{
    // The kept runs move towards the front, each no further than the blanks dropped before it.
    const std::size_t n = text.size();
    std::size_t put = 0;
    std::size_t runStart = 0;
    for (std::size_t i = scan::nextDoubleBlank(text, 1); i < n; i = scan::nextDoubleBlank(text, runStart + 1)) {
        if (put != runStart) std::memmove(text.data() + put, text.data() + runStart, i - runStart);
        put += i - runStart;
        while (i + 1 < n && scan::isBlank(text[i + 1])) ++i;
        runStart = i + 1;
    }
    if (runStart == 0) return;
    if (runStart < n && put != runStart) std::memmove(text.data() + put, text.data() + runStart, n - runStart);
    put += n - std::min(runStart, n);
    text.resize(put);
}

}  // namespace vellumar
