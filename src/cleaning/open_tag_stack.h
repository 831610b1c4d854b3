#pragma once
// The elements the cleaning has opened and not yet closed, with the text that closes each.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

// An element's texts, as the stack keeps them: valid until the next push.
struct OpenTagEntry {
    std::string_view closeKey;   // the closing tag that ends the element, e.g. "</p>"
    std::string_view closeText;  // written when the element is closed, e.g. "</i></b></p>"
};

// Popping an empty stack gives an entry of empty texts and leaves the stack empty. The texts
// of every open element sit one after another in one string, so that a push or a pop, made
// for nearly every tag of a document, copies a few bytes and allocates nothing once the
// string has grown.
class OpenTagStack {
public:
    void clear();
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    void pushOpenTag(std::string_view closeText, std::string_view closeKey);
    OpenTagEntry popOpenTag();
    bool topOpenTagIs(std::string_view closeKey) const;

private:
    struct Entry {
        std::uint32_t start;     // where the entry's texts begin in m_texts
        std::uint32_t keySize;   // closeKey, then closeText
        std::uint32_t textSize;
    };
    OpenTagEntry texts(const Entry& entry) const;

    std::vector<Entry> m_entries;
    std::string m_texts;
    // The end of the texts of the elements still open; a popped element's texts stay behind
    // it until the next push.
    std::size_t m_used = 0;
};

}  // namespace vellumar
