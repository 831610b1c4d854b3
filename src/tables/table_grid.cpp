#include "tables/table_grid.h"

#include <algorithm>
#include <string>

namespace vellumar {

void TableGrid::reset(int columnCount, int rowCount)
{
    const long long columns = std::max(columnCount, 0);
    const long long rows = std::max(rowCount, 0);
    if ((columns + 2) * (rows + 2) > kMaxTableGridCells)
        throw TableTooLargeError("the table is too large to draw as a picture (" + std::to_string(columns) +
                                 " columns x " + std::to_string(rows) + " rows)");
    m_columnCount = static_cast<int>(columns);
    m_rowCount = static_cast<int>(rows);
    m_cells.assign(static_cast<std::size_t>(m_columnCount + 2) * static_cast<std::size_t>(m_rowCount + 2), TableCell{});
}

void TableGrid::setColumnWidth(int column, std::int32_t width)
{
    for (int row = 1; row <= m_rowCount; ++row) at(column, row).width = width;
}

void TableGrid::setRowHeight(int row, std::int32_t height)
{
    for (int column = 1; column <= m_columnCount; ++column) at(column, row).height = height;
}

}  // namespace vellumar
