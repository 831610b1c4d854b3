#include "tables/table_grid.h"

#include <algorithm>

namespace vellumar {

void TableGrid::reset(int columnCount, int rowCount)
{
    m_columnCount = std::max(columnCount, 0);
    m_rowCount = std::max(rowCount, 0);
    m_cells.assign(static_cast<std::size_t>(m_columnCount + 2) * static_cast<std::size_t>(m_rowCount + 2), TTableCell{});
}

void TableGrid::setColumnWidth(int column, std::int32_t width)
{
    for (int row = 1; row <= m_rowCount; ++row) at(column, row).Width = width;
}

void TableGrid::setRowHeight(int row, std::int32_t height)
{
    for (int column = 1; column <= m_columnCount; ++column) at(column, row).Height = height;
}

}  // namespace vellumar
