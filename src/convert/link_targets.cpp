#include "convert/link_targets.h"

#include <charconv>

#include "base/xml_id.h"

namespace vellumar {

void LinkTargets::addTarget(std::int32_t item, std::string_view name)
{
    if (m_numbers.emplace(item, static_cast<int>(m_names.size())).second) {
        m_names.push_back(name);
        m_ids.emplace_back();
    }
}

std::optional<int> LinkTargets::numberOf(std::int32_t item) const
{
    const auto found = m_numbers.find(item);
    if (found == m_numbers.end()) return std::nullopt;
    return found->second;
}

std::string LinkTargets::claimId(int number)
{
    const std::string base = xmlIdForm(m_names[static_cast<std::size_t>(number)]);
    std::string id = base;
    for (int suffix = 2; m_used.contains(id); ++suffix) id = base + "_" + std::to_string(suffix);
    m_used.insert(id);
    m_ids[static_cast<std::size_t>(number)] = id;
    return id;
}

std::string LinkTargets::resolveLinks(std::string text) const
{
    if (text.find(kLinkOpen) == std::string::npos) return text;
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    bool open = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t marker = at;
        while (marker < text.size() && text[marker] != kLinkOpen && text[marker] != kLinkClose) ++marker;
        if (marker == text.size()) break;
        out.append(text, at, marker - at);
        if (text[marker] == kLinkClose) {
            if (open) out += "</a>";
            open = false;
            at = marker + 1;
            continue;
        }
        const std::size_t end = text.find(kLinkNumberEnd, marker);
        int number = -1;
        std::from_chars(text.data() + marker + 1, text.data() + end, number);
        open = number >= 0 && static_cast<std::size_t>(number) < m_ids.size() &&
               !m_ids[static_cast<std::size_t>(number)].empty();
        if (open) out.append("<a xlink:href=\"#").append(m_ids[static_cast<std::size_t>(number)]).append("\">");
        at = end + 1;
    }
    out.append(text, at, std::string::npos);
    return out;
}

std::string linkOpenMarker(int number)
{
    std::string marker(1, kLinkOpen);
    marker += std::to_string(number);
    marker += kLinkNumberEnd;
    return marker;
}

}  // namespace vellumar
