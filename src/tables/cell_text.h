#pragma once
// Small text helpers shared by the grid, the layout and the drawing of a table.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

// The text without the spaces and control characters (bytes up to 32) at both ends.
std::string_view trimCellText(std::string_view text);

// The lines of a text, split at CR LF, lone LF and lone CR. A line break at the very end
// starts no further line; an empty text has no lines.
std::vector<std::string_view> splitTextLines(std::string_view text);

// A cell's text with its character references read as the characters they stand for, as a
// browser shows them: named ones ("&amp;", "&copy;", "&mdash;"), decimal and hexadecimal ones,
// those from 128 to 159 in their windows-1252 meaning ("&#150;" is the en dash). A character
// windows-1251 has becomes its byte; one it lacks stays a decimal reference ("&#8364;" for
// none such, "&#26085;"), which the measurers draw as that one character. "&nbsp;" becomes a
// space; a reference that stands for nothing stays as written.
std::string decodeCellReferences(std::string_view text);

// The character of a cell text line at line[i]: a byte in windows-1251, or a decimal
// reference ("&#26085;") to a character windows-1251 lacks. Sets codePoint and returns how many
// bytes it takes (at least 1).
std::size_t nextCellCharacter(std::string_view line, std::size_t i, char32_t& codePoint);

}  // namespace vellumar
