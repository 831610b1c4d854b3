#include "cleaning/tag_tables.h"

#include <array>
#include <bit>

namespace vellumar {

namespace {

// A fixed set of short names, asked about for every tag of a document: open addressing over
// a table at least twice the set's size, filled when the program is compiled, so that a name
// is found, or found missing, after comparing it with one or two entries.
template <std::size_t N>
class NameSet {
public:
    constexpr explicit NameSet(const std::array<std::string_view, N>& names)
    {
        for (const std::string_view name : names) {
            std::size_t at = slotOf(name);
            while (!m_slots[at].empty()) at = (at + 1) % kSlots;
            m_slots[at] = name;
        }
    }

    constexpr bool contains(std::string_view name) const
    {
        if (name.empty()) return false;
        for (std::size_t at = slotOf(name);; at = (at + 1) % kSlots) {
            if (m_slots[at].empty()) return false;
            if (m_slots[at] == name) return true;
        }
    }

private:
    static constexpr std::size_t kSlots = std::bit_ceil(2 * N + 1);

    static constexpr std::size_t slotOf(std::string_view name)
    {
        const auto byte = [&](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(name[i])); };
        return (name.size() * 31 + byte(0) * 7 + byte(name.size() / 2) * 5 + byte(name.size() - 1)) % kSlots;
    }

    std::array<std::string_view, kSlots> m_slots{};
};

template <typename... Names>
constexpr auto names(Names... entries)
{
    return NameSet<sizeof...(entries)>(std::array<std::string_view, sizeof...(entries)>{entries...});
}

constexpr auto kEmptyElements = names("img", "br", "hr", "meta");

constexpr auto kDissolvedTags = names("font", "/font", "span", "/span", "div", "/div", "o:p", "/o:p");

constexpr auto kReducedTags = names("p", "table", "tbody", "tr", "td", "h1", "h2", "h3", "h4", "h5", "h6", "body",
                                    "br", "b", "i", "u", "ul", "ol", "li");

constexpr auto kLineBreakBefore =
    names("p", "table", "tr", "td", "body", "div", "h1", "h2", "h3", "h4", "h5", "h6", "tbody", "/html",
          "/body", "/tbody", "/table", "title", "head", "/head", "meta", "/tr", "style", "/style", "br", "ul",
          "ol", "li");

constexpr auto kTableKeeps = names("border");
constexpr auto kRowKeeps = names("align", "valign");
constexpr auto kCellKeeps = names("rowspan", "colspan", "align", "valign");

}  // namespace

bool isEmptyElement(std::string_view name) { return kEmptyElements.contains(name); }

bool isDissolvedTag(std::string_view name) { return kDissolvedTags.contains(name); }

bool isReducedTag(std::string_view name) { return kReducedTags.contains(name); }

bool keptAttributes(std::string_view attributeName, std::string_view tagName)
{
    if (isDissolvedTag(tagName)) return false;
    if (tagName == "table") return kTableKeeps.contains(attributeName);
    if (tagName == "tr") return kRowKeeps.contains(attributeName);
    if (tagName == "td") return kCellKeeps.contains(attributeName);
    return !isReducedTag(tagName);
}

std::string_view lineBreakBefore(std::string_view name)
{
    return kLineBreakBefore.contains(name) ? std::string_view("\r\n") : std::string_view();
}

void appendClosingTagText(std::string& out, std::string_view name)
{
    if (name.empty() || isEmptyElement(name)) return;
    out.append("</").append(name).append(">");
}

}  // namespace vellumar
