#include "cleaning/style_block.h"

#include <memory>
#include <vector>

#include "cleaning/cp1251_case.h"
#include "base/text_rules.h"

namespace vellumar {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The lines of a text, split at CR LF, LF or CR.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

bool containsBoth(std::string_view text, std::string_view a, std::string_view b)
{
    const std::string lower = LowerCp1251(text);
    return lower.find(a) != npos && lower.find(b) != npos;
}

}  // namespace

std::string StripStyleComments(std::string_view line)
{
    std::string s(line);
    if (const std::size_t p = s.find("<!--"); p != npos) s.erase(p, 4);
    if (const std::size_t p = s.find("-->"); p != npos) s.erase(p, 3);
    if (const std::size_t open = s.find("/*"); open != npos) {
        const std::size_t close = s.find("*/", open + 2);
        std::string rest = close != npos ? s.substr(close + 2) : std::string();
        s.erase(open);
        if (close != npos) s.append(1, ' ').append(rest);
    }
    return s;
}

bool IsBoldDeclaration(std::string_view declaration)
{
    return containsBoth(declaration, "font-weight", "bold");
}

bool IsItalicDeclaration(std::string_view declaration)
{
    return containsBoth(declaration, "font-style", "italic");
}

std::string SelectorElement(std::string_view selector)
{
    return LowerCp1251(selector.substr(0, selector.find('.')));
}

std::string SelectorClass(std::string_view selector)
{
    const std::size_t dot = selector.find('.');
    return dot == npos ? std::string() : LowerCp1251(selector.substr(dot + 1));
}

void AddClassStyleRules(std::string_view selectorText, std::string_view declarationText, ClassStyleRules& rules)
{
    if (selectorText.empty() || declarationText.empty()) return;
    const std::string_view selectors = TrimControls(selectorText);
    std::string_view rest = TrimControls(declarationText);

    bool bold = false;
    bool italic = false;
    std::string collected;
    auto take = [&](std::string_view piece, bool withSemicolon) {
        bold = bold || IsBoldDeclaration(piece);
        italic = italic || IsItalicDeclaration(piece);
        collected.append(piece);
        if (withSemicolon) collected.push_back(';');
    };
    if (rest.find(';') == npos) {
        take(rest, false);
    } else {
        for (std::size_t semi; (semi = rest.find(';')) != npos; rest.remove_prefix(semi + 1))
            take(TrimControls(rest.substr(0, semi)), true);
        if (!TrimControls(rest).empty()) take(TrimControls(rest), true);
    }
    if (!bold && !italic) return;

    // One copy of the declarations for all the selectors: a long selector list must not
    // multiply a long declaration text.
    const auto shared = std::make_shared<const std::string>(std::move(collected));
    std::string_view list = selectors;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view selector = TrimControls(list.substr(0, comma));
        if (!selector.empty())
            rules.AddClassStyleRule(SelectorElement(selector), SelectorClass(selector), shared, italic, bold);
        if (comma == npos) break;
        list.remove_prefix(comma + 1);
    }
}

void ParseStyleBlock(std::string_view styleText, ClassStyleRules& rules)
{
    std::string selector;
    std::string declarations;
    bool inBlock = false;

    // Appends the text before the first "}" of `line` to the declarations and, when there is
    // one, ends the rule there; returns the rest after the "}" or an empty view.
    auto readDeclarations = [&](std::string_view line) -> std::string_view {
        const std::size_t close = line.find('}');
        if (close == npos) {
            declarations += StripStyleComments(line);
            return {};
        }
        declarations += StripStyleComments(line.substr(0, close));
        inBlock = false;
        AddClassStyleRules(selector, declarations, rules);
        selector.clear();
        declarations.clear();
        return line.substr(close + 1);
    };

    for (std::string_view line : splitLines(TrimControls(styleText))) {
        while (!line.empty()) {
            const std::size_t open = line.find('{');
            if (open == npos) {
                if (inBlock) {
                    line = readDeclarations(line);
                } else {
                    selector += StripStyleComments(line);
                    line = {};
                }
            } else {
                selector += StripStyleComments(line.substr(0, open));
                inBlock = true;
                line = readDeclarations(line.substr(open + 1));
            }
        }
    }
}

}  // namespace vellumar
