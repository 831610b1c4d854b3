#pragma once
// Draws a laid-out TableGrid: 1-pixel lines in the line colour and each cell's wrapped text on
// a white ground, inside a 2-pixel white border.

#include "tables/table_grid.h"
#include "tables/table_grid_builder.h"
#include "tables/text_measurer.h"

namespace vellumar {

// The largest table bitmap drawn, in pixels (about 400 MB of RGB). Tables needing more are
// refused with an error instead of exhausting memory.
inline constexpr long long kMaxTableBitmapPixels = 1LL << 27;

// The table bitmap of (width + 4) x (height + 4) pixels for a table of the given size, before
// any fitting. Throws std::runtime_error when the bitmap would be larger than
// kMaxTableBitmapPixels.
RgbImage drawTableBitmap(const TableGrid& grid, int width, int height, TableLineColour colour,
                         const TextMeasurer& measurer);

}  // namespace vellumar
