#pragma once
// Gives the columns of a TableGrid their widths and the rows their heights so that every cell
// text fits, narrowing the table to a width limit by scaling the columns and wrapping the
// texts at spaces. A cell needs 4 pixels of width and of height beyond its text.

#include <string>
#include <string_view>

#include "tables/table_grid.h"
#include "tables/text_measurer.h"

namespace vellumar {

// Lays the grid out for the width limit maxWidth and returns the table's width and height
// (the sums of the final column widths and row heights; the picture adds 4 to each).
TextSize layoutTable(TableGrid& grid, const TextMeasurer& measurer, int maxWidth);

// Widths from 4 upwards and heights grown from what they hold, so that each cell's text fits;
// returns the sums. useWrapped measures wrappedText instead of Text (cells without Text are
// never measured).
TextSize computeTableSizes(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped);
// Heights from one line ("H") upwards; returns their sum.
int computeRowHeights(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped);

// The width of the cell at (column, row) together with the cells its column span covers.
int spanWidth(const TableGrid& grid, int column, int row);

// Width of the widest line and the sum of the line heights; an empty text is (0, 0).
TextSize measureText(const TextMeasurer& measurer, std::string_view text);
// The text broken at spaces into lines (joined by CR LF) no wider than limit where it can be;
// a word is never split.
std::string wrapText(const TextMeasurer& measurer, int limit, std::string_view text);
// lines, CR LF and piece, both trimmed; just the trimmed piece while lines is blank.
std::string appendLine(std::string_view lines, std::string_view piece);

}  // namespace vellumar
