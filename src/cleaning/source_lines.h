#pragma once
// The line forms of a source text. A text is split into lines at CR LF, LF or CR; a final line
// break does not make an empty last line ("a" CR LF "b" CR LF is the two lines "a" and "b").

#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

// Views into `text`, one per line, without their line breaks.
std::vector<std::string_view> SplitSourceLines(std::string_view text);
// The lines, each followed by CR LF: the form in which a source file is handed to the cleaning.
std::string LinesEachEndedByCrLf(std::string_view text);
// The lines joined by CR LF, with no line break after the last: the form in which an editor's
// text is handed to the conversion.
std::string LinesJoinedByCrLf(std::string_view text);

}  // namespace vellumar
