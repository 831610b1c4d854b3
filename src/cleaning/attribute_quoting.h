#pragma once

#include <string>
#include <string_view>

namespace vellumar {

class HtmlItem;

// The value in quotes: single quotes for the attribute named "style" (lower-case name),
// double quotes for every other. The value is not escaped, with these exceptions, so that the
// quoted value always reads back as one value: a value that holds its quote character (as
// «encoding="x"?» of «<?xml ... encoding="x"?>» does) takes the other quote instead, and when
// it holds both, its own quote character is written as a character reference; a final
// backslash, which would hide the closing quote, is written as "&#92;". Otherwise the rebuilt
// text could open a quoted run that never ends and the rest of the document would be lost
// when it is read again.
std::string quoteAttributeValue(std::string_view lowerName, std::string_view value);

// Appends the start tag «<name key=value ...>» with the tag's attributes, each value quoted as
// above.
void appendStartTag(std::string& out, std::string_view name, const HtmlItem& tag);

}  // namespace vellumar
