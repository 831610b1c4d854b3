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

const std::string& measuredText(const TTableCell& cell, bool useWrapped)
{
    return useWrapped ? cell.WrappedText : cell.Text;
}

// The height of the cell at (column, row) together with the cells its row span covers.
int spanHeight(const TableGrid& grid, int column, int row)
{
    int height = grid.at(column, row).Height;
    for (int below = row + 1; below <= grid.RowCount() && grid.at(column, below).HasTopEdge == 0; ++below)
        height += grid.at(column, below).Height;
    return height;
}

// Grows the row heights, column by column and top to bottom, until every measured text fits.
void growRowHeights(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    for (int column = 1; column <= grid.ColumnCount(); ++column) {
        for (int row = 1; row <= grid.RowCount(); ++row) {
            const TTableCell& cell = grid.at(column, row);
            if (cell.Text.empty()) continue;
            const int needed = MeasureText(measurer, measuredText(cell, useWrapped)).height + 4;
            const int have = spanHeight(grid, column, row);
            if (have < needed) grid.setRowHeight(row, cell.Height + (needed - have));
        }
    }
}

int sumOfRowHeights(const TableGrid& grid)
{
    int sum = 0;
    for (int row = 1; row <= grid.RowCount(); ++row) sum += grid.at(1, row).Height;
    return sum;
}

int sumOfColumnWidths(const TableGrid& grid)
{
    int sum = 0;
    for (int column = 1; column <= grid.ColumnCount(); ++column) sum += grid.at(column, 1).Width;
    return sum;
}

// AppendLine in place: each call costs the length of the piece, not of the lines so far, so
// wrapping a long text stays linear. Lines never begin with a blank here (they start as empty
// or as a trimmed piece), so only their end needs trimming.
void appendLineTo(std::string& lines, std::string_view piece)
{
    while (!lines.empty() && static_cast<unsigned char>(lines.back()) <= 32) lines.pop_back();
    if (!lines.empty()) lines.append("\r\n");
    lines.append(TrimCellText(piece));
}

template <typename CellAction>
void forEachCell(TableGrid& grid, CellAction action)
{
    for (int row = 1; row <= grid.RowCount(); ++row)
        for (int column = 1; column <= grid.ColumnCount(); ++column) action(grid.at(column, row), column, row);
}

}  // namespace

TextSize MeasureText(const TextMeasurer& measurer, std::string_view text)
{
    TextSize size;
    for (std::string_view line : SplitTextLines(text)) {
        const TextSize lineSize = measurer.measureLine(line);
        size.width = std::max(size.width, lineSize.width);
        size.height += lineSize.height;
    }
    return size;
}

std::string AppendLine(std::string_view lines, std::string_view piece)
{
    const std::string_view head = TrimCellText(lines);
    const std::string_view tail = TrimCellText(piece);
    if (head.empty()) return std::string(tail);
    std::string out;
    out.reserve(head.size() + 2 + tail.size());
    out.append(head).append("\r\n").append(tail);
    return out;
}

std::string WrapText(const TextMeasurer& measurer, int limit, std::string_view text)
{
    const auto widthOf = [&](std::string_view s) { return MeasureText(measurer, s).width; };
    std::string_view rest = text;
    std::string line;
    std::string last;
    std::string result;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        const bool lastWord = space == std::string_view::npos;
        const std::string_view word = lastWord ? std::string_view() : rest.substr(0, space);

        std::string joined(TrimCellText(line));
        joined.push_back(' ');
        joined.append(word);
        line = std::string(TrimCellText(joined));

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
            std::string closing(TrimCellText(line));
            closing.push_back(' ');
            closing.append(TrimCellText(rest));
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

int SpanWidth(const TableGrid& grid, int column, int row)
{
    int width = grid.at(column, row).Width;
    for (int right = column + 1; right <= grid.ColumnCount() && grid.at(right, row).HasLeftEdge == 0; ++right)
        width += grid.at(right, row).Width;
    return width;
}

TextSize ComputeTableSizes(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    forEachCell(grid, [](TTableCell& cell, int, int) { cell.Width = 4; });
    forEachCell(grid, [&](TTableCell& cell, int column, int row) {
        if (cell.Text.empty()) return;
        const int needed = MeasureText(measurer, measuredText(cell, useWrapped)).width + 4;
        const int have = SpanWidth(grid, column, row);
        if (have < needed) grid.setColumnWidth(column, cell.Width + (needed - have));
    });
    growRowHeights(grid, measurer, useWrapped);
    return {sumOfColumnWidths(grid), sumOfRowHeights(grid)};
}

int ComputeRowHeights(TableGrid& grid, const TextMeasurer& measurer, bool useWrapped)
{
    const int lineHeight = measurer.measureLine("H").height;
    forEachCell(grid, [&](TTableCell& cell, int, int) { cell.Height = lineHeight; });
    growRowHeights(grid, measurer, useWrapped);
    // Every cell of a row already holds the row's height: growing stores it in the whole row.
    return sumOfRowHeights(grid);
}

TextSize LayoutTable(TableGrid& grid, const TextMeasurer& measurer, int maxWidth)
{
    forEachCell(grid, [](TTableCell& cell, int, int) { cell.WrappedText = cell.Text; });
    const TextSize natural = ComputeTableSizes(grid, measurer, false);
    const double ratio = static_cast<double>(maxWidth) / natural.width;
    if (ratio >= 1.0) return natural;

    // Narrow every column by the ratio (halves to the even number), never below 4 pixels.
    forEachCell(grid, [&](TTableCell& cell, int, int) {
        cell.Width = std::max(4, roundHalfToEven(cell.Width * ratio));
    });
    forEachCell(grid, [&](TTableCell& cell, int column, int row) {
        if (cell.Text.empty()) return;
        const int span = SpanWidth(grid, column, row);
        if (MeasureText(measurer, cell.WrappedText).width + 4 > span) cell.WrappedText = WrapText(measurer, span - 4, cell.Text);
    });
    ComputeTableSizes(grid, measurer, true);
    forEachCell(grid, [&](TTableCell& cell, int column, int row) {
        cell.WrappedText = WrapText(measurer, SpanWidth(grid, column, row) - 4, cell.Text);
    });
    // The final widths can differ from those the texts were wrapped for; the table is as wide
    // as they add up to, so its top and bottom lines end at its last column.
    const TextSize settled = ComputeTableSizes(grid, measurer, true);
    return {settled.width, ComputeRowHeights(grid, measurer, true)};
}

}  // namespace vellumar
