#include "cleaning/style_block.h"

#include <memory>
#include <vector>

#include "cleaning/cp1251_case.h"
#include "base/text_rules.h"

namespace vellumar {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

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
    const std::string lower = lowerCp1251(text);
    return lower.find(a) != kNpos && lower.find(b) != kNpos;
}

}  // namespace

std::string stripStyleComments(std::string_view line)
{
    std::string s(line);
    if (const std::size_t p = s.find("<!--"); p != kNpos) s.erase(p, 4);
    if (const std::size_t p = s.find("-->"); p != kNpos) s.erase(p, 3);
    if (const std::size_t open = s.find("/*"); open != kNpos) {
        const std::size_t close = s.find("*/", open + 2);
        std::string rest = close != kNpos ? s.substr(close + 2) : std::string();
        s.erase(open);
        if (close != kNpos) s.append(1, ' ').append(rest);
    }
    return s;
}

bool isBoldDeclaration(std::string_view declaration)
{
    return containsBoth(declaration, "font-weight", "bold");
}

bool isItalicDeclaration(std::string_view declaration)
{
    return containsBoth(declaration, "font-style", "italic");
}

std::string selectorElement(std::string_view selector)
{
    return lowerCp1251(selector.substr(0, selector.find('.')));
}

std::string selectorClass(std::string_view selector)
{
    const std::size_t dot = selector.find('.');
    return dot == kNpos ? std::string() : lowerCp1251(selector.substr(dot + 1));
}

void addClassStyleRules(std::string_view selectorText, std::string_view declarationText, ClassStyleRules& rules)
{
    if (selectorText.empty() || declarationText.empty()) return;
    const std::string_view selectors = trimControls(selectorText);
    std::string_view rest = trimControls(declarationText);

    bool bold = false;
    bool italic = false;
    std::string collected;
    auto take = [&](std::string_view piece, bool withSemicolon) {
        bold = bold || isBoldDeclaration(piece);
        italic = italic || isItalicDeclaration(piece);
        collected.append(piece);
        if (withSemicolon) collected.push_back(';');
    };
    if (rest.find(';') == kNpos) {
        take(rest, false);
    } else {
        for (std::size_t semi; (semi = rest.find(';')) != kNpos; rest.remove_prefix(semi + 1))
            take(trimControls(rest.substr(0, semi)), true);
        if (!trimControls(rest).empty()) take(trimControls(rest), true);
    }
    if (!bold && !italic) return;

    // One copy of the declarations for all the selectors: a long selector list must not
    // multiply a long declaration text.
    const auto shared = std::make_shared<const std::string>(std::move(collected));
    std::string_view list = selectors;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view selector = trimControls(list.substr(0, comma));
        if (!selector.empty())
            rules.addClassStyleRule(selectorElement(selector), selectorClass(selector), shared, italic, bold);
        if (comma == kNpos) break;
        list.remove_prefix(comma + 1);
    }
}

void parseStyleBlock(std::string_view styleText, ClassStyleRules& rules)
{
    std::string selector;
    std::string declarations;
    bool inBlock = false;

    // Appends the text before the first "}" of `line` to the declarations and, when there is
    // one, ends the rule there; returns the rest after the "}" or an empty view.
    auto readDeclarations = [&](std::string_view line) -> std::string_view {
        const std::size_t close = line.find('}');
        if (close == kNpos) {
            declarations += stripStyleComments(line);
            return {};
        }
        declarations += stripStyleComments(line.substr(0, close));
        inBlock = false;
        addClassStyleRules(selector, declarations, rules);
        selector.clear();
        declarations.clear();
        return line.substr(close + 1);
    };

    for (std::string_view line : splitLines(trimControls(styleText))) {
        while (!line.empty()) {
            const std::size_t open = line.find('{');
            if (open == kNpos) {
                if (inBlock) {
                    line = readDeclarations(line);
                } else {
                    selector += stripStyleComments(line);
                    line = {};
                }
            } else {
                selector += stripStyleComments(line.substr(0, open));
                inBlock = true;
                line = readDeclarations(line.substr(open + 1));
            }
        }
    }
}

}  // namespace vellumar
