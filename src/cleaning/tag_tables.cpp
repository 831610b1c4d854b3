#include "cleaning/tag_tables.h"

#include <array>

namespace vellumar {

namespace {

// Called for every tag of a document: the length and the first byte rule out most entries
// before any comparison of the rest.
template <std::size_t N>
bool listed(const std::array<std::string_view, N>& table, std::string_view name)
{
    if (name.empty()) return false;
    for (const std::string_view entry : table)
        if (entry.size() == name.size() && entry[0] == name[0] && entry.substr(1) == name.substr(1)) return true;
    return false;
}

constexpr std::array<std::string_view, 4> kEmptyElements = {"img", "br", "hr", "meta"};

constexpr std::array<std::string_view, 8> kDissolvedTags = {"font", "/font", "span", "/span",
                                                            "div",  "/div",  "o:p",  "/o:p"};

constexpr std::array<std::string_view, 19> kReducedTags = {"p",  "table", "tbody", "tr", "td", "h1", "h2",
                                                           "h3", "h4",    "h5",    "h6", "body", "br", "b",
                                                           "i",  "u",     "ul",    "ol", "li"};

constexpr std::array<std::string_view, 28> kLineBreakBefore = {
    "p",    "table", "tr",     "td",   "body",  "div",    "h1",     "h2",  "h3", "h4",
    "h5",   "h6",    "tbody",  "/html", "/body", "/tbody", "/table", "title", "head", "/head",
    "meta", "/tr",   "style",  "/style", "br",  "ul",     "ol",     "li"};

constexpr std::array<std::string_view, 1> kTableKeeps = {"border"};
constexpr std::array<std::string_view, 2> kRowKeeps = {"align", "valign"};
constexpr std::array<std::string_view, 4> kCellKeeps = {"rowspan", "colspan", "align", "valign"};

}  // namespace

bool IsEmptyElement(std::string_view name) { return listed(kEmptyElements, name); }

bool IsDissolvedTag(std::string_view name) { return listed(kDissolvedTags, name); }

bool IsReducedTag(std::string_view name) { return listed(kReducedTags, name); }

bool KeptAttributes(std::string_view attributeName, std::string_view tagName)
{
    if (IsDissolvedTag(tagName)) return false;
    if (tagName == "table") return listed(kTableKeeps, attributeName);
    if (tagName == "tr") return listed(kRowKeeps, attributeName);
    if (tagName == "td") return listed(kCellKeeps, attributeName);
    return !IsReducedTag(tagName);
}

std::string_view LineBreakBefore(std::string_view name)
{
    return listed(kLineBreakBefore, name) ? std::string_view("\r\n") : std::string_view();
}

std::string ClosingTagText(std::string_view name)
{
    if (name.empty() || IsEmptyElement(name)) return {};
    std::string out;
    out.reserve(name.size() + 3);
    out.append("</").append(name).append(">");
    return out;
}

}  // namespace vellumar
