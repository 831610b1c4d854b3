#pragma once
// What each HTML tag name means to the walk of a complete book, looked up once per tag.

#include <cstdint>
#include <string_view>

namespace vellumar {

enum class CompleteTag : std::uint8_t {
    Other,  // writes nothing; its content is text like any other
    Strong,
    Emphasis,
    Strike,
    Sub,
    Sup,
    Code,
    Link,
    Picture,
    Break,
    Heading,  // "h1".."h6"
    Table,    // "table", "tr", "td", "th", "caption"
    Paragraph,
    List,  // "ul", "ol"
    ListItem,
    Definition,  // "dl", "dt", "dd"
    Quote,
    Pre,
    Rule,
    Block,   // a block that only ends paragraphs: "div", "section", ...
    Hidden,  // an element whose content is no text of the book: "head", "script", ...
};

// The meaning of a lower-case tag name without its "/".
CompleteTag completeTagOf(std::string_view bareName);

}  // namespace vellumar
