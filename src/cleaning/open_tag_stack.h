#pragma once
// The elements the cleaning has opened and not yet closed, with the text that closes each.

#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

struct TOpenTagEntry {
    std::string CloseKey;        // the closing tag that ends the element, e.g. "</p>"
    std::string CloseText;       // written when the element is closed, e.g. "</i></b></p>"
    std::string ClassCloseText;  // the closing tags of the element's class alone
};

// Popping an empty stack gives an entry of empty texts and leaves the stack empty.
class OpenTagStack {
public:
    void clear() { m_entries.clear(); }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

    void PushOpenTag(std::string closeText, std::string closeKey, std::string classCloseText);
    TOpenTagEntry PopOpenTag();
    bool TopOpenTagIs(std::string_view closeKey) const;

private:
    std::vector<TOpenTagEntry> m_entries;
};

}  // namespace vellumar
