#pragma once
// The class-style table of one cleaning run: the CSS rules read from the source's style blocks
// that make text bold or italic, looked up by element and class for every tag.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "html/tokenizer.h"

namespace vellumar {

// One selector of one bold or italic style rule.
struct TClassStyleRule {
    std::string Element;    // element part of the selector, lower case ("" for ".note")
    std::string ClassName;  // class part, lower case ("" when the selector has no ".")
    std::string BoldOpen;   // "<b>" when bold
    std::string ItalicOpen;  // "<i>" when italic
    std::string BoldClose;   // "</b>" when bold
    std::string ItalicClose;  // "</i>" when italic
    // The rule's declarations as collected, shared by the entries of all its selectors; kept
    // for reference only.
    std::shared_ptr<const std::string> Declarations;
};

// The rules in the order they were read. A lookup gives the first rule read for an element and
// a class; a hash index keeps it constant-time however many rules a document declares.
class ClassStyleRules {
public:
    void clear();
    std::size_t size() const { return m_rules.size(); }
    const std::vector<TClassStyleRule>& rules() const { return m_rules; }

    void AddClassStyleRule(std::string_view element, std::string_view className, std::string_view declarations,
                           bool italic, bool bold);
    void AddClassStyleRule(std::string_view element, std::string_view className,
                           std::shared_ptr<const std::string> declarations, bool italic, bool bold);
    // The first rule whose Element and ClassName equal the two texts exactly, or nullptr.
    const TClassStyleRule* FindClassStyleRule(std::string_view element, std::string_view className) const;

private:
    struct KeyView {
        std::string_view element;
        std::string_view className;
    };
    struct Key {
        std::string element;
        std::string className;
        operator KeyView() const { return KeyView{element, className}; }  // NOLINT(google-explicit-constructor)
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(KeyView k) const noexcept;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(KeyView a, KeyView b) const noexcept
        {
            return a.element == b.element && a.className == b.className;
        }
    };

    std::vector<TClassStyleRule> m_rules;
    std::unordered_map<Key, std::size_t, KeyHash, KeyEqual> m_firstRule;
};

// What the class of one tag adds around the tag's content.
struct TClassStyle {
    std::string OpenText;   // "<b>", "<i>", "<b><i>" or empty
    std::string CloseText;  // "</b>", "</i>", "</i></b>" or empty
};

// Looks up every "class" attribute of the tag under its name in lower case, `lowerName` (the
// value lowered too); the last attribute that finds a rule decides. The answer is written over
// `style`, whose texts keep their memory.
void ClassStyleOfTag(const THTMLItem& tag, std::string_view lowerName, const ClassStyleRules& rules,
                     TClassStyle& style);

}  // namespace vellumar
