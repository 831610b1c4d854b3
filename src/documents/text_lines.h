#pragma once
// Text as the editors hold it: lines, joined by CR LF.

#include <string>
#include <string_view>

namespace vellumar {

// The lines of `text` (split at CR LF, LF or CR; a final line break makes no empty last line)
// joined by CR LF; with breakAfterLast every line, the last included, is followed by CR LF.
std::string JoinLinesCrLf(std::string_view text, bool breakAfterLast);

}  // namespace vellumar
