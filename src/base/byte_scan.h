#pragma once
// Byte scanners over (data, length) from start, as the tokenizer and the encoding sniffer use
// them. Each returns an offset into data or -1 (also for a start outside the data).
// Whitespace is exactly TAB, LF, CR and space.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vellumar::scan {

// The first match of needle at or after start, ASCII letters folded; -1 for an empty needle.
std::int32_t findTextNoCase(const char* data, std::int32_t length, std::int32_t start, std::string_view needle);
std::int32_t findChar(const char* data, std::int32_t length, std::int32_t start, char byte);
// The first `byte` (or whitespace) at or after start that is outside a quoted run ('...' or
// "..."; a quote after a backslash does not close its run); -1 also while a run is open.
std::int32_t findCharOutsideQuotes(const char* data, std::int32_t length, std::int32_t start, char byte);
std::int32_t findSpaceOutsideQuotes(const char* data, std::int32_t length, std::int32_t start);
// The first byte at or after start (at or before it, going back) that is not whitespace.
std::int32_t skipSpaces(const char* data, std::int32_t length, std::int32_t start);
std::int32_t skipSpacesBack(const char* data, std::int32_t length, std::int32_t start);
// The end of the run of ASCII bytes (below 0x80) that starts at `from`: the offset of the
// first byte at or after it that is not ASCII, or the text's size.
std::size_t asciiRunEnd(std::string_view text, std::size_t from);
// Whether every CR in text is followed by an LF and every LF follows a CR: no line ends any
// other way (a text of CR LF lines, or none).
bool endsEveryLineWithCrLf(std::string_view text);
// A blank: TAB, space or the no-break space 160.
inline bool isBlank(char c) { return c == '\t' || c == ' ' || static_cast<unsigned char>(c) == 160; }
// The first offset at or after `from` (at least 1) whose byte and the one before it are both
// blanks, or the text's size.
std::size_t nextDoubleBlank(std::string_view text, std::size_t from);
// The first offset at or after `from` whose byte is one that XML text must not hold as it is:
// '&', '<', '>', a control byte other than TAB, LF and CR, byte 0x98 (no character in
// windows-1251), '"' when `attribute`, LF and CR when `lineBreaks`; or the text's size.
std::size_t nextXmlSpecial(std::string_view text, std::size_t from, bool attribute, bool lineBreaks = false);
inline bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
inline bool isQuote(char c) { return c == '"' || c == '\''; }

}  // namespace vellumar::scan
