#pragma once
// The fixed tables of the source cleaning: which tags stand alone, which are dissolved, which
// lose their attributes, which attributes the table tags keep, and in front of which tags a
// line break is put. Every name is compared in lower case, exactly, a closing tag's name
// including its leading "/" ("/p").

#include <string>
#include <string_view>

namespace vellumar {

// "img", "br", "hr", "meta": written alone, never closed.
bool isEmptyElement(std::string_view name);
// "font", "span", "div", "o:p" and their closing tags: the tag is not written, its content is.
bool isDissolvedTag(std::string_view name);
// "p", "table", "tbody", "tr", "td", "h1".."h6", "body", "br", "b", "i", "u", "ul", "ol", "li":
// written without attributes, except those that `keptAttributes` lets "table", "tr" and "td" keep.
bool isReducedTag(std::string_view name);
// Whether a tag keeps an attribute: none for dissolved and reduced tags, except "border" of
// "table", "align" and "valign" of "tr", and "rowspan", "colspan", "align", "valign" of "td";
// every attribute of any other tag.
bool keptAttributes(std::string_view attributeName, std::string_view tagName);
// CR LF for the block-level names, else empty.
std::string_view lineBreakBefore(std::string_view name);
// Appends "</" + name + ">" to out, or nothing for an empty name or an empty element.
void appendClosingTagText(std::string& out, std::string_view name);

}  // namespace vellumar
