#pragma once
// The grid a table is drawn from: one cell per column and row of the table, plus a margin
// ring (column 0 and columnCount + 1, row 0 and rowCount + 1) that absorbs cells and span
// marks pushed past the table's edge. The margin is never measured or drawn.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellumar {

// The most grid cells, margin ring included, that one table may take. A grid is as wide as
// the table's widest row and as tall as all its rows, however few cells the table really
// has, so a few hundred kilobytes of HTML can ask for billions of cells. Every table cell is
// drawn at least 4 pixels wide and a line high: a grid past this limit would not fit into the
// largest table picture anyway.
inline constexpr long long kMaxTableGridCells = 1LL << 20;

// A table too large to be drawn as a picture (its grid, the work its spans ask for, or its
// bitmap); the conversion writes such a table as its text instead.
class TableTooLargeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TableCell {
    // 0 when a column span from the left covers this cell: it has no left line of its own.
    std::uint8_t hasLeftEdge = 1;
    // 0 when a row span from above covers this cell: no top line, and new cells skip it.
    std::uint8_t hasTopEdge = 1;
    // Column width and row height in pixels; every cell of a column (row) holds the same value.
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string text;
    // Text broken into lines (CR LF) to fit the column when the table had to be narrowed.
    std::string wrappedText;
};

class TableGrid {
public:
    // Makes room for columnCount x rowCount table cells and the margin, every cell at its
    // start values. Negative counts count as 0. Throws TableTooLargeError, before allocating
    // anything, when the grid would hold more than kMaxTableGridCells cells.
    void reset(int columnCount, int rowCount);

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return m_rowCount; }

    // True for every index of the table and of its margin.
    bool contains(int column, int row) const
    {
        return column >= 0 && row >= 0 && column <= m_columnCount + 1 && row <= m_rowCount + 1;
    }
    // The cell at (column, row); the index must be contained.
    TableCell& at(int column, int row) { return m_cells[index(column, row)]; }
    const TableCell& at(int column, int row) const { return m_cells[index(column, row)]; }
    // The cell at (column, row), or nullptr outside the grid and its margin.
    TableCell* find(int column, int row) { return contains(column, row) ? &at(column, row) : nullptr; }

    // Stores a width in every table cell of a column, a height in every table cell of a row.
    void setColumnWidth(int column, std::int32_t width);
    void setRowHeight(int row, std::int32_t height);
    bool hasBothEdges(int column, int row) const
    {
        const TableCell& cell = at(column, row);
        return cell.hasLeftEdge != 0 && cell.hasTopEdge != 0;
    }

private:
    std::size_t index(int column, int row) const
    {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(m_rowCount + 2) +
               static_cast<std::size_t>(row);
    }

    int m_columnCount = 0;
    int m_rowCount = 0;
    std::vector<TableCell> m_cells;  // column by column, margin included
};

}  // namespace vellumar
