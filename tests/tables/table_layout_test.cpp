#include "tables/table_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tables/table_grid_builder.h"

namespace vellumar {
namespace {

std::string inHtml(std::string_view table) { return "<html>\r\n" + std::string(table) + "\r\n</html>"; }

// One pixel per byte, 13 pixels per line: widths are byte counts.
const FixedMetricMeasurer kNarrow(1, 13);

TableGrid gridOf(std::string_view table)
{
    TableGrid grid;
    buildTableGrid(inHtml(table), TableBorder::Visible, grid);
    return grid;
}

std::vector<int> columnWidths(const TableGrid& grid)
{
    std::vector<int> widths;
    for (int column = 1; column <= grid.columnCount(); ++column) widths.push_back(grid.at(column, 1).width);
    return widths;
}

std::vector<int> rowHeights(const TableGrid& grid)
{
    std::vector<int> heights;
    for (int row = 1; row <= grid.rowCount(); ++row) heights.push_back(grid.at(1, row).height);
    return heights;
}

TEST(TableLayout, MeasureTextSplitsAtEveryKindOfLineBreak)
{
    const struct {
        std::string_view text;
        TextSize size;
    } cases[] = {
        {"", {0, 0}},
        {"abc", {3, 13}},
        {"ab\r\ncde\nf\rgh", {3, 52}},
        {"ab\r\n", {2, 13}},
        {"a\r\n\r\nb", {1, 39}},
    };
    for (const auto& c : cases) EXPECT_EQ(measureText(kNarrow, c.text), c.size) << c.text;
}

TEST(TableLayout, AppendLineTrimsBothSides)
{
    EXPECT_EQ(appendLine("", " x "), "x");
    EXPECT_EQ(appendLine(" \r\n", "x"), "x");
    EXPECT_EQ(appendLine(" a ", " b "), "a\r\nb");
    EXPECT_EQ(appendLine("a", ""), "a\r\n");
    EXPECT_EQ(appendLine(appendLine("a", ""), "b"), "a\r\nb");
}

TEST(TableLayout, WrapTextBreaksAtSpacesOnly)
{
    const struct {
        int limit;
        std::string_view text;
        std::string_view wrapped;
    } cases[] = {
        {5, "", ""},
        {5, "aa bb cc", "aa bb\r\ncc"},
        {5, "aa bb cc dd", "aa bb\r\ncc dd"},
        {8, "aa bb cc", "aa bb cc"},
        {5, "verylongword a b", "verylongword\r\na\r\nb"},
        {5, "aa verylongword b c", "aa\r\nverylongword\r\nb\r\nc"},
        {3, "abc", "abc"},
        {2, "abc", "abc"},
        {10, "aa  bb", "aa bb"},
        {4, "a b c d e", "a b\r\nc d\r\ne"},
        {0, "a b", "a\r\nb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wrapText(kNarrow, c.limit, c.text), c.wrapped) << c.limit << " '" << c.text << "'";
    }
}

TEST(TableLayout, WrapTextOfALongTextGivesEveryLine)
{
    std::string text = "averyveryverylongfirstword";
    for (int i = 0; i < 20000; ++i) text += " w";
    const std::string wrapped = wrapText(kNarrow, 10, text);
    EXPECT_EQ(std::count(wrapped.begin(), wrapped.end(), '\n'), 20000);
    EXPECT_TRUE(wrapped.ends_with("\r\nw\r\nw"));

    std::string words = "w";
    for (int i = 0; i < 20000; ++i) words += " w";
    // Five words (9 pixels) per line of at most 10.
    const std::string lines = wrapText(kNarrow, 10, words);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4000);
}

TEST(TableLayout, OneCellFitsItsTextPlusFour)
{
    // Eight bytes of five pixels: a text of 40 x 13.
    TableGrid grid = gridOf("<table><tr><td>abcdefgh</td></tr></table>");
    EXPECT_EQ(layoutTable(grid, FixedMetricMeasurer(5, 13), 580), (TextSize{44, 17}));
    EXPECT_EQ(grid.at(1, 1).width, 44);
    EXPECT_EQ(grid.at(1, 1).height, 17);
    EXPECT_EQ(grid.at(1, 1).wrappedText, "abcdefgh");
}

TEST(TableLayout, TableWithinTheLimitIsNotWrapped)
{
    TableGrid grid = gridOf(
        "<table><tr><td>a b c</td><td></td><td>xy</td></tr><tr><td></td><td></td><td></td></tr>"
        "<tr><td>abcdefg</td><td></td><td></td></tr></table>");
    EXPECT_EQ(layoutTable(grid, kNarrow, 21), (TextSize{11 + 4 + 6, 17 + 0 + 17}));
    EXPECT_EQ(columnWidths(grid), (std::vector<int>{11, 4, 6}));
    // A row without text keeps height 0 when nothing had to be shrunk.
    EXPECT_EQ(rowHeights(grid), (std::vector<int>{17, 0, 17}));
    EXPECT_EQ(grid.at(1, 1).wrappedText, "a b c");
}

TEST(TableLayout, SpanningTextWidensOnlyTheFirstColumn)
{
    TableGrid grid = gridOf("<table><tr><td colspan=2>0123456789</td></tr><tr><td>a</td><td>b</td></tr></table>");
    EXPECT_EQ(layoutTable(grid, kNarrow, 580), (TextSize{15, 34}));
    EXPECT_EQ(columnWidths(grid), (std::vector<int>{10, 5}));
    EXPECT_EQ(spanWidth(grid, 1, 1), 15);
    EXPECT_EQ(spanWidth(grid, 1, 2), 10);
    EXPECT_EQ(spanWidth(grid, 2, 1), 5);
}

TEST(TableLayout, RowSpanGrowsOnlyItsFirstRow)
{
    // Columns are visited left to right, rows top to bottom: the three lines (39 + 4) of the
    // spanning cell are met while both rows are still 0 high, so its first row takes them all.
    TableGrid grid = gridOf(
        "<table><tr><td rowspan=2>a\r\nb\r\nc</td><td>x</td></tr><tr><td>y</td></tr></table>");
    EXPECT_EQ(computeTableSizes(grid, kNarrow, false), (TextSize{10, 60}));
    EXPECT_EQ(rowHeights(grid), (std::vector<int>{43, 17}));
    // Heights are not reset by a second run; they only grow.
    EXPECT_EQ(computeTableSizes(grid, kNarrow, false), (TextSize{10, 60}));
    // Starting from one line ("H", 13) per row, the span needs 17 more in its first row.
    EXPECT_EQ(computeRowHeights(grid, kNarrow, false), 47);
    EXPECT_EQ(rowHeights(grid), (std::vector<int>{30, 17}));
}

TEST(TableLayout, ShrinkByHalfRoundsHalvesToEven)
{
    // Natural widths 4 (no text), 7 ("a b") and 1149 (573 one-byte words): 1160 in all.
    std::string words = "x";
    for (int i = 1; i < 573; ++i) words += " x";
    TableGrid grid = gridOf("<table><tr><td></td><td>a b</td><td>" + words + "</td></tr><tr><td></td></tr></table>");
    const TextSize size = layoutTable(grid, kNarrow, 580);

    // Ratio 0.5: 4 stays 4, 7 becomes 4 (3.5 to even) so "a b" wraps; 1149 becomes 574 (574.5 to
    // even), so the words wrap at 570 pixels: 285 words (569 pixels) per line.
    EXPECT_EQ(grid.at(2, 1).wrappedText, "a\r\nb");
    const std::string line(words.substr(0, 569));
    EXPECT_EQ(grid.at(3, 1).wrappedText, line + "\r\n" + line + "\r\nx x x");
    EXPECT_EQ(columnWidths(grid), (std::vector<int>{4, 5, 573}));
    EXPECT_EQ(size.width, 4 + 5 + 573);
    // A shrunk table gives its rows at least one line: the empty second row is 13 high.
    EXPECT_EQ(rowHeights(grid), (std::vector<int>{3 * 13 + 4, 13}));
    EXPECT_EQ(size.height, 43 + 13);
}

TEST(TableLayout, ResultWidthFollowsTheFinalColumnWidths)
{
    // The long word keeps its column wide; every column's final width adds up to the result.
    TableGrid grid = gridOf(
        "<table><tr><td>aaaa bbbb cccc dddd</td><td>supercalifragilistic</td><td>e f g h i j</td></tr></table>");
    const TextSize size = layoutTable(grid, kNarrow, 30);
    int sum = 0;
    for (int width : columnWidths(grid)) sum += width;
    EXPECT_EQ(size.width, sum);
    for (int column = 1; column <= 3; ++column) {
        const TableCell& cell = grid.at(column, 1);
        EXPECT_LE(measureText(kNarrow, cell.wrappedText).width + 4, std::max(cell.width, 24)) << column;
    }
}

}  // namespace
}  // namespace vellumar
