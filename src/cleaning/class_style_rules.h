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
struct ClassStyleRule {
    std::string element;    // element part of the selector, lower case ("" for ".note")
    std::string className;  // class part, lower case ("" when the selector has no ".")
    std::string boldOpen;   // "<b>" when bold
    std::string italicOpen;  // "<i>" when italic
    std::string boldClose;   // "</b>" when bold
    std::string italicClose;  // "</i>" when italic
    // The rule's declarations as collected, shared by the entries of all its selectors; kept
    // for reference only.
    std::shared_ptr<const std::string> declarations;
};

// The rules in the order they were read. A lookup gives the first rule read for an element and
// a class; a hash index keeps it constant-time however many rules a document declares.
class ClassStyleRules {
public:
    void clear();
    std::size_t size() const { return m_rules.size(); }
    const std::vector<ClassStyleRule>& rules() const { return m_rules; }

    void addClassStyleRule(std::string_view element, std::string_view className, std::string_view declarations,
                           bool italic, bool bold);
    void addClassStyleRule(std::string_view element, std::string_view className,
                           std::shared_ptr<const std::string> declarations, bool italic, bool bold);
    // The first rule whose Element and className equal the two texts exactly, or nullptr.
    const ClassStyleRule* findClassStyleRule(std::string_view element, std::string_view className) const;

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

    std::vector<ClassStyleRule> m_rules;
    std::unordered_map<Key, std::size_t, KeyHash, KeyEqual> m_firstRule;
};

// What the class of one tag adds around the tag's content.
struct ClassStyle {
    std::string openText;   // "<b>", "<i>", "<b><i>" or empty
    std::string closeText;  // "</b>", "</i>", "</i></b>" or empty
};

// Looks up every "class" attribute of the tag under its name in lower case, `lowerName` (the
// value lowered too); the last attribute that finds a rule decides. The answer is written over
// `style`, whose texts keep their memory.
void classStyleOfTag(const HtmlItem& tag, std::string_view lowerName, const ClassStyleRules& rules,
                     ClassStyle& style);

}  // namespace vellumar
