#pragma once
// Rebuilding one source tag for the cleaned source: lower-case name, filtered and re-quoted
// attributes, and the bold and italic tags that the tag's class calls for.

#include <string>
#include <string_view>

#include "cleaning/class_style_rules.h"
#include "html/tokenizer.h"

namespace vellumar {

struct RebuiltTag {
    // The tag as written when it opens an element (or stands alone), followed by the class's
    // opening tags; for a dissolved tag only the class's opening tags.
    std::string openText;
    // The class's closing tags followed by CloseTag; for a dissolved tag only the class's.
    std::string closeText;
    // "</name>", or empty for an empty element.
    std::string closeTag;
    // The class's closing tags alone.
    std::string classCloseText;
    bool isClosing = false;
    bool isEmpty = false;
};

// Rebuilds the tags of a document one after another. Each kept attribute is written as one
// space, its name as in the source, "=" and its quoted value; together with the space after
// the name, a tag with attributes has two spaces between its name and its first attribute
// ("<td  colspan=\"2\">").
class TagRebuilder {
public:
    // The rebuilt tag, whose name in lower case the caller has at hand, valid until the next
    // call: its texts keep their memory from one tag to the next, since nearly every tag of a
    // document comes here.
    const RebuiltTag& rebuild(const HtmlItem& tag, std::string_view lowerName, const ClassStyleRules& rules);
    // Complete books: a tag that loses its attributes keeps its "id", and a dissolved tag
    // leaves its id as an empty anchor («<a id="x"></a>»), so that links to it still lead there.
    void keepIds(bool on) { m_keepIds = on; }

private:
    bool m_keepIds = false;
    RebuiltTag m_tag;
    ClassStyle m_style;
    std::string m_inner;
    std::string m_lowerKey;
};

}  // namespace vellumar
