#include "cleaning/open_tag_stack.h"

#include <utility>

namespace vellumar {

void OpenTagStack::PushOpenTag(std::string closeText, std::string closeKey, std::string classCloseText)
{
    m_entries.push_back(TOpenTagEntry{std::move(closeKey), std::move(closeText), std::move(classCloseText)});
}

TOpenTagEntry OpenTagStack::PopOpenTag()
{
    if (m_entries.empty()) return {};
    TOpenTagEntry top = std::move(m_entries.back());
    m_entries.pop_back();
    return top;
}

bool OpenTagStack::TopOpenTagIs(std::string_view closeKey) const
{
    // An empty stack's top has an empty key.
    return m_entries.empty() ? closeKey.empty() : m_entries.back().CloseKey == closeKey;
}

}  // namespace vellumar
