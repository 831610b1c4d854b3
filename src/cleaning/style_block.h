#pragma once
// Reading the text of a source's style blocks into the class-style table. Only what makes text
// bold or italic is kept; everything else of the style sheet is ignored.

#include <string>
#include <string_view>

#include "cleaning/class_style_rules.h"

namespace vellumar {

// Reads the collected text of one style element and enters its bold and italic rules. Rules
// may span lines and several may share a line; a rule left open at the end is not entered.
void parseStyleBlock(std::string_view styleText, ClassStyleRules& rules);

// One CSS rule as its selector list and its declarations: when some declaration is bold or
// italic, one table entry per selector of the list.
void addClassStyleRules(std::string_view selectorText, std::string_view declarationText, ClassStyleRules& rules);

// One line of style text without comment marks: the first "<!--", then the first "-->" are
// removed; a "/* ... */" on the line becomes one space, an unfinished "/*" cuts the line.
std::string stripStyleComments(std::string_view line);

// "font-weight" and "bold" both occur, in any case ("bolder" counts, 700 does not).
bool isBoldDeclaration(std::string_view declaration);
// "font-style" and "italic" both occur, in any case.
bool isItalicDeclaration(std::string_view declaration);

// The selector in lower case up to its first "." (the whole selector when it has none).
std::string selectorElement(std::string_view selector);
// The selector in lower case after its first "."; empty when it has none.
std::string selectorClass(std::string_view selector);

}  // namespace vellumar
