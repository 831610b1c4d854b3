#pragma once
// Turns one table's HTML into a TableGrid: counts rows and columns, places every "td" and "th" cell,
// marks what column and row spans cover, and settles each cell's text where its cell begins.

#include <functional>
#include <string_view>

#include "base/conversion_options.h"
#include "html/tokenizer.h"
#include "tables/table_grid.h"

namespace vellumar {

enum class TableLineColour { Black, White };

// Receives a warning (UTF-8) about the table while it is built; the table is still drawn.
using TableWarningHandler = std::function<void(std::string_view)>;

// The colour of a table's lines: black with the Visible option; with AsSource white for a
// "table" tag without attributes or whose first "border" attribute is exactly "0".
TableLineColour tableBorderColour(const HtmlItem& tableTag, TableBorder option);

// Rebuilds grid from the HTML and returns the line colour of the last "table" tag (black when
// there is none). When columnCount or rowCount comes out 0 nothing is placed and the table is
// not to be drawn. Tokenizer problems go to onError. A colspan or rowspan is read as browsers
// read it (its leading digits, else 1); one that is not just a whole number is read so and
// reported to onWarning. Throws TableTooLargeError when the grid or the work its spans ask for
// passes the limits (see kMaxTableGridCells).
TableLineColour buildTableGrid(std::string_view tableHtml, TableBorder border, TableGrid& grid,
                               const HtmlErrorHandler& onError = {}, const TableWarningHandler& onWarning = {});

// Trims the cell texts, reads their character references as characters, and moves each text that landed on a
// covered grid cell to the nearest cell on its left where a table cell begins.
void settleCellTexts(TableGrid& grid);

}  // namespace vellumar
