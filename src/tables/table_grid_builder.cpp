#include "tables/table_grid_builder.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/ascii_case.h"
#include "base/text_rules.h"
#include "encodings/text_encoding.h"
#include "tables/cell_text.h"

namespace vellumar {

namespace {

bool isHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A colspan or rowspan value read as browsers read it: blanks, an optional sign and the
// digits that follow; whatever comes after them is ignored, and a value without digits is 1.
// Values too large for an int are read as the largest one (past any table's edge anyway).
// `plain` tells whether the value was just a whole number (leading spaces and "+" allowed).
int readSpanValue(std::string_view value, bool& plain)
{
    std::size_t i = 0;
    while (i < value.size() && isHtmlSpace(value[i])) ++i;
    plain = value.find_first_not_of(' ') == i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    long long result = 0;
    for (; i < value.size() && isDigit(value[i]); ++i)
        result = std::min<long long>(result * 10 + (value[i] - '0'), std::numeric_limits<int>::max());
    if (i == digits) {
        plain = false;
        return 1;
    }
    plain = plain && i == value.size();
    return static_cast<int>(negative ? -result : result);
}

// Header cells ("th") are cells like "td".
bool isCellTag(std::string_view name) { return name == "td" || name == "th"; }

// Counting pass: the numbers of rows and columns and the colour of the last "table" tag.
struct TableCounts {
    int columns = 0;
    int rows = 0;
    TableLineColour colour = TableLineColour::Black;
};

TableCounts countTable(const HtmlParser& parser, TableBorder border)
{
    TableCounts counts;
    bool inTable = false;
    bool inRow = false;
    int cellsInRow = 0;
    for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
        const HtmlItem item = parser.item(i);
        if (!item.isTag()) continue;
        const std::string name = asciiLower(item.name());
        if (name == "table") {
            inTable = true;
            counts.colour = tableBorderColour(item, border);
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
    CellPlacer(TableGrid& grid, const TableWarningHandler& onWarning) : m_grid(grid), m_onWarning(onWarning) {}

    void run(const HtmlParser& parser)
    {
        for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
            const HtmlItem item = parser.item(i);
            if (item.isText()) {
                if (m_inCell) addText(item.text());
                continue;
            }
            if (!item.isTag()) continue;
            const std::string name = asciiLower(item.name());
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
    int beyond() const { return m_grid.columnCount() + 2; }
    int lastMarginRow() const { return m_grid.rowCount() + 1; }

    void placeCell(const HtmlItem& td)
    {
        while (m_column <= m_grid.columnCount()) {
            const TableCell* cell = m_grid.find(m_column, m_row);
            if (cell == nullptr || cell->hasTopEdge != 0) break;
            advanceColumn(1);
        }

        int colspan = 1;
        int rowspan = 1;
        for (std::int32_t k = 0; k < td.paramCount(); ++k) {
            const HtmlParam param = td.param(k);
            const std::string key = asciiLower(param.key());
            if (key == "colspan") colspan = readSpan(key, param.value());
            else if (key == "rowspan") rowspan = readSpan(key, param.value());
        }

        if (colspan >= 2 && rowspan >= 2) {
            for (int k = 1; k < colspan && m_column < beyond(); ++k) {
                coverBelow(m_column, rowspan, false);
                advanceColumn(1);
                if (TableCell* cell = m_grid.find(m_column, m_row)) cell->hasLeftEdge = 0;
                coverBelow(m_column, rowspan, true);
            }
        } else if (colspan >= 2) {
            const TableCell* start = m_grid.find(m_column, m_row);
            if (start != nullptr && start->hasTopEdge != 0) {
                for (int k = 1; k < colspan && m_column < beyond(); ++k) {
                    advanceColumn(1);
                    if (TableCell* cell = m_grid.find(m_column, m_row)) cell->hasLeftEdge = 0;
                }
            }
        } else if (rowspan >= 2) {
            coverBelow(m_column, rowspan, false);
        }
    }

    int readSpan(std::string_view name, std::string_view value)
    {
        bool plain = true;
        const int span = readSpanValue(value, plain);
        if (!plain && m_onWarning) {
            constexpr std::size_t kShown = 40;
            m_onWarning("table cell " + std::string(name) + "=\"" + windows1251ToUtf8(value.substr(0, kShown)) +
                        (value.size() > kShown ? "..." : "") + "\" is not a whole number; read as " +
                        std::to_string(span));
        }
        return span;
    }

    // Clears the top edge (and the left edge too when alsoLeft) of the grid cells below the
    // current row that a row span of rowspan rows covers in one column. Marks past the bottom
    // margin are dropped, and so are marks in the right margin, which nothing reads: cells
    // pushed past the table's last column cost no work however far down they reach.
    void coverBelow(int column, int rowspan, bool alsoLeft)
    {
        if (column > m_grid.columnCount()) return;
        const long long last = std::min<long long>(static_cast<long long>(m_row) + rowspan - 1, lastMarginRow());
        for (int row = m_row + 1; row <= last; ++row) {
            TableCell* cell = m_grid.find(column, row);
            if (cell == nullptr) return;
            countMark();
            cell->hasTopEdge = 0;
            if (alsoLeft) cell->hasLeftEdge = 0;
        }
    }

    // Spans that overlap each other could mark the same cells over and over; a table whose
    // spans ask for more marks than a few times its grid is refused.
    void countMark()
    {
        if (++m_marks <= 4 * static_cast<long long>(m_grid.columnCount() + 2) * (m_grid.rowCount() + 2)) return;
        throw TableTooLargeError("the table's row spans overlap too often to draw it as a picture");
    }

    void addText(std::string_view text)
    {
        TableCell* cell = m_grid.find(m_column, m_row);
        if (cell == nullptr) return;
        cell->text.push_back(' ');
        cell->text.append(trimCellText(text));
    }

    TableGrid& m_grid;
    const TableWarningHandler& m_onWarning;
    long long m_marks = 0;
    bool m_inTable = false;
    bool m_inRow = false;
    bool m_inCell = false;
    int m_column = 0;
    int m_row = 0;
};

}  // namespace

TableLineColour tableBorderColour(const HtmlItem& tableTag, TableBorder option)
{
    if (option == TableBorder::Visible) return TableLineColour::Black;
    if (tableTag.paramCount() == 0) return TableLineColour::White;
    for (std::int32_t k = 0; k < tableTag.paramCount(); ++k) {
        const HtmlParam param = tableTag.param(k);
        if (asciiLower(param.key()) == "border")
            return param.value() == "0" ? TableLineColour::White : TableLineColour::Black;
    }
    return TableLineColour::Black;
}

TableLineColour buildTableGrid(std::string_view tableHtml, TableBorder border, TableGrid& grid,
                               const HtmlErrorHandler& onError, const TableWarningHandler& onWarning)
{
    HtmlParser parser;
    parser.parse(std::string(tableHtml), onError);

    const TableCounts counts = countTable(parser, border);
    grid.reset(counts.columns, counts.rows);
    if (counts.columns > 0 && counts.rows > 0) {
        CellPlacer(grid, onWarning).run(parser);
        settleCellTexts(grid);
    }
    return counts.colour;
}

void settleCellTexts(TableGrid& grid)
{
    const int columns = grid.columnCount();
    const int rows = grid.rowCount();
    for (int column = 1; column <= columns; ++column) {
        for (int row = 1; row <= rows; ++row) {
            TableCell& cell = grid.at(column, row);
            cell.text = std::string(trimCellText(cell.text));
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            TableCell& cell = grid.at(column, row);
            if (cell.text.empty()) continue;
            if (cell.text.find('&') != std::string::npos)
                cell.text = std::string(trimCellText(decodeCellReferences(cell.text)));
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 2; column <= columns; ++column) {
            TableCell& cell = grid.at(column, row);
            if (cell.text.empty() || grid.hasBothEdges(column, row)) continue;
            int target = column - 1;
            while (target > 1 && !grid.hasBothEdges(target, row)) --target;
            grid.at(target, row).text = std::move(cell.text);
            cell.text.clear();
        }
    }
}

}  // namespace vellumar
