#include "tables/table_grid_builder.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "convert/text_rules.h"
#include "tables/cell_text.h"

namespace vellumar {

namespace {

// A colspan or rowspan value as a decimal integer: leading spaces, an optional sign and digits,
// nothing else.
int readSpanValue(std::string_view value)
{
    std::string_view digits = value;
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    bool valid = !digits.empty();
    if (valid && digits.front() == '+') {
        digits.remove_prefix(1);
        valid = !digits.empty() && digits.front() != '-';
    }
    int result = 0;
    if (valid) {
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, result);
        valid = error == std::errc() && stop == end;
    }
    if (!valid) throw std::runtime_error("'" + std::string(value) + "' is not a valid integer value");
    return result;
}

// Header cells ("th") are cells like "td".
bool isCellTag(std::string_view name) { return name == "td" || name == "th"; }

// Counting pass: the numbers of rows and columns and the colour of the last "table" tag.
struct TableCounts {
    int columns = 0;
    int rows = 0;
    TableLineColour colour = TableLineColour::Black;
};

TableCounts countTable(const THTMLParser& parser, TableBorder border)
{
    TableCounts counts;
    bool inTable = false;
    bool inRow = false;
    int cellsInRow = 0;
    for (std::int32_t i = 0; i < parser.ItemCount(); ++i) {
        const THTMLItem item = parser.Item(i);
        if (!item.isTag()) continue;
        const std::string name = AsciiLower(item.Name());
        if (name == "table") {
            inTable = true;
            counts.colour = TableBorderColour(item, border);
        } else if (name == "/table") {
            inTable = false;
        }
        if (inTable) {
            if (name == "tr") {
                inRow = true;
                ++counts.rows;
                cellsInRow = 0;
            } else if (name == "/tr") {
                inRow = false;
                counts.columns = std::max(counts.columns, cellsInRow);
            }
        }
        if (inRow && isCellTag(name)) ++cellsInRow;
    }
    return counts;
}

// Placing pass over the same items: puts each "td" on the grid and marks its spans.
class CellPlacer {
public:
    explicit CellPlacer(TableGrid& grid) : m_grid(grid) {}

    void run(const THTMLParser& parser)
    {
        for (std::int32_t i = 0; i < parser.ItemCount(); ++i) {
            const THTMLItem item = parser.Item(i);
            if (item.isText()) {
                if (m_inCell) addText(item.Text());
                continue;
            }
            if (!item.isTag()) continue;
            const std::string name = AsciiLower(item.Name());
            if (name == "table") {
                m_inTable = true;
            } else if (name == "/table") {
                m_inTable = false;
            }
            if (m_inTable) {
                if (name == "tr") {
                    m_inRow = true;
                    ++m_row;
                } else if (name == "/tr") {
                    m_inRow = false;
                    m_column = 0;
                }
            }
            if (m_inRow) {
                if (isCellTag(name)) {
                    m_inCell = true;
                    advanceColumn(1);
                    placeCell(item);
                } else if (name == "/td" || name == "/th") {
                    m_inCell = false;
                }
            }
        }
    }

private:
    // Columns past the right margin are all alike (nothing there is written), so the position
    // stops counting there and huge spans cannot overflow it or loop long.
    void advanceColumn(int by) { m_column = std::min(m_column + by, beyond()); }
    int beyond() const { return m_grid.ColumnCount() + 2; }
    int lastMarginRow() const { return m_grid.RowCount() + 1; }

    void placeCell(const THTMLItem& td)
    {
        while (m_column <= m_grid.ColumnCount()) {
            const TTableCell* cell = m_grid.find(m_column, m_row);
            if (cell == nullptr || cell->HasTopEdge != 0) break;
            advanceColumn(1);
        }

        int colspan = 1;
        int rowspan = 1;
        for (std::int32_t k = 0; k < td.paramCount(); ++k) {
            const THTMLParam param = td.Param(k);
            const std::string key = AsciiLower(param.Key());
            if (key == "colspan") colspan = readSpanValue(param.Value());
            else if (key == "rowspan") rowspan = readSpanValue(param.Value());
        }

        if (colspan >= 2 && rowspan >= 2) {
            for (int k = 1; k < colspan && m_column < beyond(); ++k) {
                coverBelow(m_column, rowspan, false);
                advanceColumn(1);
                if (TTableCell* cell = m_grid.find(m_column, m_row)) cell->HasLeftEdge = 0;
                coverBelow(m_column, rowspan, true);
            }
        } else if (colspan >= 2) {
            const TTableCell* start = m_grid.find(m_column, m_row);
            if (start != nullptr && start->HasTopEdge != 0) {
                for (int k = 1; k < colspan && m_column < beyond(); ++k) {
                    advanceColumn(1);
                    if (TTableCell* cell = m_grid.find(m_column, m_row)) cell->HasLeftEdge = 0;
                }
            }
        } else if (rowspan >= 2) {
            coverBelow(m_column, rowspan, false);
        }
    }

    // Clears the top edge (and the left edge too when alsoLeft) of the grid cells below the
    // current row that a row span of rowspan rows covers in one column; marks past the bottom
    // margin are dropped.
    void coverBelow(int column, int rowspan, bool alsoLeft)
    {
        const long long last = std::min<long long>(static_cast<long long>(m_row) + rowspan - 1, lastMarginRow());
        for (int row = m_row + 1; row <= last; ++row) {
            TTableCell* cell = m_grid.find(column, row);
            if (cell == nullptr) return;
            cell->HasTopEdge = 0;
            if (alsoLeft) cell->HasLeftEdge = 0;
        }
    }

    void addText(std::string_view text)
    {
        TTableCell* cell = m_grid.find(m_column, m_row);
        if (cell == nullptr) return;
        cell->Text.push_back(' ');
        cell->Text.append(TrimCellText(text));
    }

    TableGrid& m_grid;
    bool m_inTable = false;
    bool m_inRow = false;
    bool m_inCell = false;
    int m_column = 0;
    int m_row = 0;
};

}  // namespace

TableLineColour TableBorderColour(const THTMLItem& tableTag, TableBorder option)
{
    if (option == TableBorder::Visible) return TableLineColour::Black;
    if (tableTag.paramCount() == 0) return TableLineColour::White;
    for (std::int32_t k = 0; k < tableTag.paramCount(); ++k) {
        const THTMLParam param = tableTag.Param(k);
        if (AsciiLower(param.Key()) == "border")
            return param.Value() == "0" ? TableLineColour::White : TableLineColour::Black;
    }
    return TableLineColour::Black;
}

TableLineColour BuildTableGrid(std::string_view tableHtml, TableBorder border, TableGrid& grid,
                               const HtmlErrorHandler& onError)
{
    THTMLParser parser;
    parser.Buffer.assign(tableHtml);
    parser.OnError = onError;
    parser.Parse();

    const TableCounts counts = countTable(parser, border);
    grid.reset(counts.columns, counts.rows);
    if (counts.columns > 0 && counts.rows > 0) {
        CellPlacer(grid).run(parser);
        SettleCellTexts(grid);
    }
    return counts.colour;
}

void SettleCellTexts(TableGrid& grid)
{
    const int columns = grid.ColumnCount();
    const int rows = grid.RowCount();
    for (int column = 1; column <= columns; ++column) {
        for (int row = 1; row <= rows; ++row) {
            TTableCell& cell = grid.at(column, row);
            cell.Text = std::string(TrimCellText(cell.Text));
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            TTableCell& cell = grid.at(column, row);
            if (cell.Text.empty()) continue;
            if (cell.Text.find('&') != std::string::npos)
                cell.Text = std::string(TrimCellText(DecodeCellReferences(cell.Text)));
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 2; column <= columns; ++column) {
            TTableCell& cell = grid.at(column, row);
            if (cell.Text.empty() || grid.hasBothEdges(column, row)) continue;
            int target = column - 1;
            while (target > 1 && !grid.hasBothEdges(target, row)) --target;
            grid.at(target, row).Text = std::move(cell.Text);
            cell.Text.clear();
        }
    }
}

}  // namespace vellumar
