#pragma once
// Text as the editors hold it: lines, joined by CR LF.

#include <string>
#include <string_view>

#include "base/text_pieces.h"

namespace vellumar {

// The lines of `text` (split at CR LF, LF or CR; a final line break makes no empty last line)
// joined by CR LF; with breakAfterLast every line, the last included, is followed by CR LF.
std::string joinLinesCrLf(std::string_view text, bool breakAfterLast);
// The same, for a text that is often in that form already (a converted book, a cleaned
// source): it is then handed back as it is, not copied.
std::string joinLinesCrLfOwned(std::string&& text, bool breakAfterLast);
// Makes the pieces, read one after another, what joinLinesCrLf gives for their joined text
// with a break after the last line. When every line ends with CR LF inside its piece (a
// converted book), they stay as they are and the last one gets its final CR LF; otherwise
// they are joined into one.
void endLinesCrLf(TextPieces& pieces);

}  // namespace vellumar
