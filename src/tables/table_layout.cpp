#include "tables/table_layout.h"

#include <algorithm>
#include <cmath>

#include "tables/cell_text.h"

namespace vellumar {

namespace {

// Nearest whole number, halves to the even one, whatever rounding mode the process runs in.
int roundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0);
    return static_cast<int>(std::clamp(up ? below + 1 : below, -2147483648.0, 2147483647.0));
}

const std::string& measuredText(const TableCell& cell, bool useWrapped)
{
    return useWrapped ? cell.wrappedText : cell.text;
}

// The height of the cell at (column, row) together with the cells its row span covers.
int spanHeight(const TableGrid& grid, int column, int row)
{
    int height = grid.at(column, row).height;
    for (int below = row + 1; below <= grid.rowCount() && grid.at(column, below).hasTopEdge == 0; ++below)
        height += grid.at(column, below).height;
    return height;
}

// Grows the row heights, column by column and top to bottom, until every measured text fits.
void growRowHeights(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    for (int column = 1; column <= grid.columnCount(); ++column) {
        for (int row = 1; row <= grid.rowCount(); ++row) {
            const TableCell& cell = grid.at(column, row);
            if (cell.text.empty()) continue;
            const int needed = measureText(measurer, measuredText(cell, useWrapped)).height + 4;
            const int have = spanHeight(grid, column, row);
            if (have < needed) grid.setRowHeight(row, cell.height + (needed - have));
        }
    }
}

int sumOfRowHeights(const TableGrid& grid)
{
    int sum = 0;
    for (int row = 1; row <= grid.rowCount(); ++row) sum += grid.at(1, row).height;
    return sum;
}

int sumOfColumnWidths(const TableGrid& grid)
{
    int sum = 0;
    for (int column = 1; column <= grid.columnCount(); ++column) sum += grid.at(column, 1).width;
    return sum;
}

// appendLine in place: each call costs the length of the piece, not of the lines so far, so
// wrapping a long text stays linear. Lines never begin with a blank here (they start as empty
// or as a trimmed piece), so only their end needs trimming.
void appendLineTo(std::string& lines, std::string_view piece)
{
    while (!lines.empty() && static_cast<unsigned char>(lines.back()) <= 32) lines.pop_back();
    if (!lines.empty()) lines.append("\r\n");
    lines.append(trimCellText(piece));
}

template <typename CellAction>
void forEachCell(TableGrid& grid, CellAction action)
{
    for (int row = 1; row <= grid.rowCount(); ++row)
        for (int column = 1; column <= grid.columnCount(); ++column) action(grid.at(column, row), column, row);
}

}  // namespace

TextSize measureText(const TextMeasurer& measurer, std::string_view text)
{
    TextSize size;
    for (std::string_view line : splitTextLines(text)) {
        const TextSize lineSize = measurer.measureLine(line);
        size.width = std::max(size.width, lineSize.width);
        size.height += lineSize.height;
    }
    return size;
}

std::string appendLine(std::string_view lines, std::string_view piece)
{
    const std::string_view head = trimCellText(lines);
    const std::string_view tail = trimCellText(piece);
    if (head.empty()) return std::string(tail);
    std::string out;
    out.reserve(head.size() + 2 + tail.size());
    out.append(head).append("\r\n").append(tail);
    return out;
}

std::string wrapText(const TextMeasurer& measurer, int limit, std::string_view text)
{
    const auto widthOf = [&](std::string_view s) { return measureText(measurer, s).width; };
    std::string_view rest = text;
    std::string line;
    std::string last;
    std::string result;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        const bool lastWord = space == std::string_view::npos;
        const std::string_view word = lastWord ? std::string_view() : rest.substr(0, space);

        std::string joined(trimCellText(line));
        joined.push_back(' ');
        joined.append(word);
        line = std::string(trimCellText(joined));

        const bool tooWide = widthOf(line) > limit;
        if (tooWide && line.find(' ') == std::string::npos) {
            // A word wider than the limit at the start of a line: from here on every word
            // stands on a line of its own.
            std::size_t from = 0;
            while (true) {
                const std::size_t to = rest.find(' ', from);
                appendLineTo(result, rest.substr(from, to == std::string_view::npos ? to : to - from));
                if (to == std::string_view::npos) break;
                from = to + 1;
            }
            return result;
        }
        if (tooWide) {
            // The word does not fit: close the line without it; it begins the next line.
            appendLineTo(result, last);
            line.clear();
            last.clear();
            continue;
        }
        last = line;
        if (lastWord) {
            std::string closing(trimCellText(line));
            closing.push_back(' ');
            closing.append(trimCellText(rest));
            if (widthOf(closing) <= limit) {
                appendLineTo(result, closing);
            } else {
                appendLineTo(result, line);
                appendLineTo(result, rest);
            }
            return result;
        }
        rest.remove_prefix(space + 1);
    }
    return result;
}

int spanWidth(const TableGrid& grid, int column, int row)
{
    int width = grid.at(column, row).width;
    for (int right = column + 1; right <= grid.columnCount() && grid.at(right, row).hasLeftEdge == 0; ++right)
        width += grid.at(right, row).width;
    return width;
}

TextSize computeTableSizes(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    forEachCell(grid, [](TableCell& cell, int, int) { cell.width = 4; });
    forEachCell(grid, [&](TableCell& cell, int column, int row) {
        if (cell.text.empty()) return;
        const int needed = measureText(measurer, measuredText(cell, useWrapped)).width + 4;
        const int have = spanWidth(grid, column, row);
        if (have < needed) grid.setColumnWidth(column, cell.width + (needed - have));
    });
    growRowHeights(grid, measurer, useWrapped);
    return {sumOfColumnWidths(grid), sumOfRowHeights(grid)};
}

int computeRowHeights(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    const int lineHeight = measurer.measureLine("H").height;
    forEachCell(grid, [&](TableCell& cell, int, int) { cell.height = lineHeight; });
    growRowHeights(grid, measurer, useWrapped);
    // Every cell of a row already holds the row's height: growing stores it in the whole row.
    return sumOfRowHeights(grid);
}

TextSize layoutTable(TableGrid& grid, const TextMeasurer& measurer, int maxWidth)
{
    forEachCell(grid, [](TableCell& cell, int, int) { cell.wrappedText = cell.text; });
    const TextSize natural = computeTableSizes(grid, measurer, false);
    const double ratio = static_cast<double>(maxWidth) / natural.width;
    if (ratio >= 1.0) return natural;

    // Narrow every column by the ratio (halves to the even number), never below 4 pixels.
    forEachCell(grid, [&](TableCell& cell, int, int) {
        cell.width = std::max(4, roundHalfToEven(cell.width * ratio));
    });
    forEachCell(grid, [&](TableCell& cell, int column, int row) {
        if (cell.text.empty()) return;
        const int span = spanWidth(grid, column, row);
        if (measureText(measurer, cell.wrappedText).width + 4 > span) cell.wrappedText = wrapText(measurer, span - 4, cell.text);
    });
    computeTableSizes(grid, measurer, true);
    forEachCell(grid, [&](TableCell& cell, int column, int row) {
        cell.wrappedText = wrapText(measurer, spanWidth(grid, column, row) - 4, cell.text);
    });
    // The final widths can differ from those the texts were wrapped for; the table is as wide
    // as they add up to, so its top and bottom lines end at its last column.
    const TextSize settled = computeTableSizes(grid, measurer, true);
    return {settled.width, computeRowHeights(grid, measurer, true)};
}

}  // namespace vellumar
