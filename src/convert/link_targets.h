#pragma once
// The targets of a complete book's links: which anchors links lead to, the XML id each anchor
// ends up under, and the final text of the links once every anchor has its place.
//
// The walk writes a link to an anchor of the book as a marker, "\x01" + the target's number +
// "\x02" for the opening tag and "\x03" for the closing one (control bytes no book text holds),
// because a link may come before its target is placed. resolveLinks() then writes each marked
// link as «<a xlink:href="#id">» ... «</a>», or, when its target never found a place in the
// book, as its text alone.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellumar {

inline constexpr char kLinkOpen = '\x01';
inline constexpr char kLinkNumberEnd = '\x02';
inline constexpr char kLinkClose = '\x03';

class LinkTargets {
public:
    // Makes `id` unavailable to anchors (note ids and the like).
    void reserveId(std::string id) { m_used.insert(std::move(id)); }
    // The anchor carried by `item`, named `name`, is the target of a link.
    void addTarget(std::int32_t item, std::string_view name);
    bool empty() const { return m_numbers.empty(); }
    // The target number of the anchor carried by `item`, if a link leads to it.
    std::optional<int> numberOf(std::int32_t item) const;
    // A fresh XML id for target `number`, from its anchor's name, now its place.
    std::string claimId(int number);
    // Target `number` takes the place of an element that has `id` already.
    void shareId(int number, std::string id) { m_ids[static_cast<std::size_t>(number)] = std::move(id); }
    // `text` with its link markers written out.
    std::string resolveLinks(std::string text) const;

private:
    std::unordered_map<std::int32_t, int> m_numbers;
    std::vector<std::string_view> m_names;
    std::vector<std::string> m_ids;  // empty while a target has no place
    std::set<std::string, std::less<>> m_used;
};

// The marker text that opens a link to target `number`.
std::string linkOpenMarker(int number);

}  // namespace vellumar
