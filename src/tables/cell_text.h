#pragma once
// Small text helpers shared by the grid, the layout and the drawing of a table.

#include <string_view>
#include <vector>

namespace vellumar {

// The text without the spaces and control characters (bytes up to 32) at both ends.
std::string_view TrimCellText(std::string_view text);

// The lines of a text, split at CR LF, lone LF and lone CR. A line break at the very end
// starts no further line; an empty text has no lines.
std::vector<std::string_view> SplitTextLines(std::string_view text);

}  // namespace vellumar
