#include "cleaning/open_tag_stack.h"

namespace vellumar {

void OpenTagStack::clear()
{
    m_entries.clear();
    m_texts.clear();
    m_used = 0;
}

void OpenTagStack::pushOpenTag(std::string_view closeText, std::string_view closeKey)
{
    m_texts.resize(m_used);
    m_texts.append(closeKey).append(closeText);
    m_entries.push_back(Entry{static_cast<std::uint32_t>(m_used), static_cast<std::uint32_t>(closeKey.size()),
                              static_cast<std::uint32_t>(closeText.size())});
    m_used = m_texts.size();
}

OpenTagEntry OpenTagStack::popOpenTag()
{
    if (m_entries.empty()) return {};
    const Entry top = m_entries.back();
    m_entries.pop_back();
    m_used = top.start;
    return texts(top);
}

bool OpenTagStack::topOpenTagIs(std::string_view closeKey) const
{
    // An empty stack's top has an empty key.
    return m_entries.empty() ? closeKey.empty() : texts(m_entries.back()).closeKey == closeKey;
}

OpenTagEntry OpenTagStack::texts(const Entry& entry) const
{
    const std::string_view all(m_texts);
    return OpenTagEntry{all.substr(entry.start, entry.keySize), all.substr(entry.start + entry.keySize, entry.textSize)};
}

}  // namespace vellumar
