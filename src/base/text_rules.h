#pragma once
// Character-level rules for text written into the book. All byte-wise and case-sensitive.

#include <string>
#include <string_view>

namespace vellumar {

// Every CR and LF becomes a space; same length.
std::string straightenLineBreaks(std::string_view text);
// The same, appended to out.
void appendStraightened(std::string& out, std::string_view text);
// The same for the text's bytes from `from` on, where they stand.
void straightenLineBreaksFrom(std::string& text, std::size_t from);
// Every occurrence of the 6-byte `entity` becomes the byte `code`; with code 0 every occurrence
// becomes a space and the whole text is then trimmed of bytes up to 32 (only when one occurred).
std::string replaceEntityByChar(std::string_view text, unsigned char code, std::string_view entity);
// Every non-overlapping occurrence of pattern becomes replacement; an empty pattern changes nothing.
std::string replaceAllText(std::string_view text, std::string_view pattern, std::string_view replacement);
// "&quot;" to a double quote, then "&#8209;" to "-".
std::string applyEntityRules(std::string_view text);
// The text without the bytes up to 32 (controls and space) at both ends.
std::string_view trimControls(std::string_view text);
// Each run of blanks (TAB, space, byte 160) is reduced to its first byte.
std::string collapseSpaceRuns(std::string_view text);
// The same, done where the text stands (a whole book's body is not copied).
void collapseSpaceRunsInPlace(std::string& text);

}  // namespace vellumar
