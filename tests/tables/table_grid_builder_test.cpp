#include "tables/table_grid_builder.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vellumar {
namespace {

// Table HTML as the conversion hands it over: inside "<html>" ... "</html>".
std::string inHtml(std::string_view table) { return "<html>\r\n" + std::string(table) + "\r\n</html>"; }

struct ExpectedCell {
    int column;
    int row;
    int hasLeftEdge;
    int hasTopEdge;
    std::string text;
};

struct GridCase {
    std::string_view name;
    std::string_view html;
    int columns;
    int rows;
    std::vector<ExpectedCell> cells;
};

void PrintTo(const GridCase& c, std::ostream* out) { *out << c.name; }

const GridCase kGridCases[] = {
    {"RowspanPushesSecondRowRight",
     "<table><tr><td rowspan=2>a</td><td>b</td><td>c</td></tr><tr><td>d</td><td>e</td></tr></table>", 3, 2,
     {{1, 1, 1, 1, "a"}, {1, 2, 1, 0, ""}, {2, 2, 1, 1, "d"}, {3, 2, 1, 1, "e"}}},
    {"ColspanThreeTextLandsInFirstColumn",
     "<table><tr><td colspan=3>wide</td></tr><tr><td>x</td><td>y</td><td>z</td></tr></table>", 3, 2,
     {{1, 1, 1, 1, "wide"}, {2, 1, 0, 1, ""}, {3, 1, 0, 1, ""}, {3, 2, 1, 1, "z"}}},
    {"TwoByTwoSpan",
     "<table><tr><td colspan=2 rowspan=2>a</td><td>b</td></tr><tr><td>c</td></tr>"
     "<tr><td>d</td><td>e</td><td>f</td></tr></table>",
     3, 3,
     {{1, 1, 1, 1, "a"}, {2, 1, 0, 1, ""}, {1, 2, 1, 0, ""}, {2, 2, 0, 0, ""}, {3, 1, 1, 1, "b"},
      {3, 2, 1, 1, "c"}, {1, 3, 1, 1, "d"}}},
    {"UpperCaseTagsAndAttributes", "<TABLE><TR><TD COLSPAN=2>a</TD></TR><TR><TD>b<TD>c</TR></TABLE>", 2, 2,
     {{1, 1, 1, 1, "a"}, {2, 1, 0, 1, ""}, {2, 2, 1, 1, "c"}}},
    {"TextBetweenCellsIsNotCollected", "<table><tr> <td>a</td> stray <td>b</td>\r\n</tr></table>", 2, 1,
     {{1, 1, 1, 1, "a"}, {2, 1, 1, 1, "b"}}},
    {"HeaderCellsAreCells", "<table><tr><th>h1</th><th colspan=2>h2</th></tr><tr><td>a</td><th>b</th><td>c</td></tr></table>",
     3, 2, {{1, 1, 1, 1, "h1"}, {2, 1, 1, 1, "h2"}, {3, 1, 0, 1, ""}, {1, 2, 1, 1, "a"}, {2, 2, 1, 1, "b"}, {3, 2, 1, 1, "c"}}},
    {"ThAfterOpenTdIsACellOfItsOwn", "<table><tr><td>a<th>h</th></tr></table>", 2, 1,
     {{1, 1, 1, 1, "a"}, {2, 1, 1, 1, "h"}}},
    {"TextPiecesJoinedBySpaces", "<table><tr><td>one<b>two</b>\r\n three </td></tr></table>", 1, 1,
     {{1, 1, 1, 1, "one two three"}}},
    {"ReferencesAreTheirCharacters",
     "<table><tr><td>&nbsp;a&nbsp;&nbsp;b</td><td>&quot;x&quot; &amp; &lt;&copy;&mdash;&#150;&#x41;&#8364;</td>"
     "<td>&#26085;&#x1F600;&bogus; &amp &#0; &#99999999;</td></tr></table>",
     3, 1,
     {{1, 1, 1, 1, "a  b"}, {2, 1, 1, 1, "\"x\" & <\xA9\x97\x96" "A\x88"}, {3, 1, 1, 1, "&#26085;&#128512;&bogus; &amp &#0; &#99999999;"}}},
    {"RowWithoutClosingTrCountsButDoesNotWiden",
     "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td><td>e</td></table>", 2, 2,
     {{1, 2, 1, 1, "c"}, {2, 2, 1, 1, "d"}}},
    {"RowsOfSeveralTablesMakeOneGrid", "<table><tr><td>a</td></tr></table>x<table><tr><td>b</td></tr></table>", 1,
     2, {{1, 1, 1, 1, "a"}, {1, 2, 1, 1, "b"}}},
    {"NoRows", "<table><td>a</td></table>", 0, 0, {}},
    {"RowsWithoutCells", "<table><tr><caption>a</caption></tr><tr></tr></table>", 0, 2, {}},
    {"SpansPastTheEdgeAreDropped",
     "<table><tr><td colspan=1000000000 rowspan=2000000000>a</td><td rowspan=99>b</td></tr></table>", 2, 1,
     {{1, 1, 1, 1, ""}, {2, 1, 0, 1, ""}}},
    {"SpanValuesBelowTwoMeanNoSpan", "<table><tr><td colspan=0 rowspan=-3>a</td><td colspan=1>b</td></tr></table>",
     2, 1, {{1, 1, 1, 1, "a"}, {2, 1, 1, 1, "b"}}},
    {"LaterSpanAttributeWins", "<table><tr><td colspan=3 colspan=\"1\">a</td><td>b</td></tr></table>", 2, 1,
     {{2, 1, 1, 1, "b"}}},
};

class TableGridCases : public ::testing::TestWithParam<GridCase> {};

TEST_P(TableGridCases, BuildsTheGrid)
{
    const GridCase& c = GetParam();
    TableGrid grid;
    buildTableGrid(inHtml(c.html), TableBorder::Visible, grid);
    EXPECT_EQ(grid.columnCount(), c.columns);
    EXPECT_EQ(grid.rowCount(), c.rows);
    for (const ExpectedCell& e : c.cells) {
        SCOPED_TRACE("cell " + std::to_string(e.column) + "," + std::to_string(e.row));
        const TableCell& cell = grid.at(e.column, e.row);
        EXPECT_EQ(cell.hasLeftEdge, e.hasLeftEdge);
        EXPECT_EQ(cell.hasTopEdge, e.hasTopEdge);
        EXPECT_EQ(cell.text, e.text);
    }
    // Only cells where a table cell begins keep a text.
    for (int row = 1; row <= grid.rowCount(); ++row) {
        for (int column = 1; column <= grid.columnCount(); ++column) {
            if (!grid.hasBothEdges(column, row)) {
                EXPECT_EQ(grid.at(column, row).text, "");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Html, TableGridCases, ::testing::ValuesIn(kGridCases),
                         vellumar::testing_support::CaseName{});

TEST(TableGrid, SettlingMovesTextsToWhereTheirCellsBegin)
{
    TableGrid grid;
    grid.reset(3, 2);
    // A column span's text lands in its last column; a covered cell of row 2 holds stray text.
    grid.at(2, 1).hasLeftEdge = 0;
    grid.at(3, 1).hasLeftEdge = 0;
    grid.at(3, 1).text = " spanning&nbsp;&nbsp;";
    grid.at(2, 2).hasTopEdge = 0;
    grid.at(2, 2).text = " \t&quot;covered&quot;";
    grid.at(1, 2).text = " own";
    settleCellTexts(grid);
    EXPECT_EQ(grid.at(1, 1).text, "spanning");
    EXPECT_EQ(grid.at(3, 1).text, "");
    // The nearest cell on the left with both edges gets the text, replacing its own.
    EXPECT_EQ(grid.at(1, 2).text, "\"covered\"");
    EXPECT_EQ(grid.at(2, 2).text, "");
}

// Span values are read as browsers read them: the leading digits, else 1. A value that is not
// just a whole number is reported with what was read, and the table is still drawn.
TEST(TableGrid, SpanValuesAreReadAsBrowsersReadThem)
{
    struct SpanCase {
        std::string_view value;
        int span;
        bool warned;
    };
    const SpanCase cases[] = {
        {"2", 2, false},    {" 2", 2, false},  {"+2", 2, false},     {"007", 7, false},  {"-2", -2, false},
        {"99999999999", 2147483647, false},    {"2.5", 2, true},     {"3px", 3, true},   {"2 ", 2, true},
        {"two", 1, true},   {"", 1, true},     {"0x2", 0, true},     {"+-2", 1, true},   {"\t2", 2, true},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.value);
        TableGrid grid;
        std::vector<std::string> warnings;
        // Two rows of two cells: a colspan of 2 or more covers (2, 1).
        const std::string html = inHtml("<table><tr><td colspan=\"" + std::string(c.value) +
                                        "\">a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>");
        buildTableGrid(html, TableBorder::Visible, grid, {},
                       [&](std::string_view text) { warnings.emplace_back(text); });
        EXPECT_EQ(grid.at(2, 1).hasLeftEdge, c.span >= 2 ? 0 : 1);
        if (c.warned) {
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_EQ(warnings[0], "table cell colspan=\"" + std::string(c.value) +
                                       "\" is not a whole number; read as " + std::to_string(c.span));
        } else {
            EXPECT_TRUE(warnings.empty());
        }
    }
}

// The grid's size is checked before anything is allocated: one row of many empty cells and
// many one-cell rows would otherwise ask for a grid of their product.
TEST(TableGrid, GridPastTheLimitIsRefusedBeforeItIsMade)
{
    TableGrid grid;
    EXPECT_THROW(grid.reset(100000, 100000), TableTooLargeError);
    EXPECT_THROW(grid.reset(1023, 1022), TableTooLargeError);  // 1025 x 1024 with the margin ring
    EXPECT_NO_THROW(grid.reset(1022, 1022));                     // exactly kMaxTableGridCells

    std::string table = "<table><tr>";
    for (int i = 0; i < 2000; ++i) table += "<td>";
    table += "</tr>";
    for (int i = 0; i < 2000; ++i) table += "<tr><td>x</td></tr>";
    EXPECT_THROW(buildTableGrid(inHtml(table + "</table>"), TableBorder::Visible, grid), TableTooLargeError);
}

// Row spans pushed past the last column cost nothing; spans that overlap each other over and
// over within the table are refused rather than marked again and again.
TEST(TableGrid, RepeatedRowSpansStayLinear)
{
    std::string pushed = "<table><tr><td rowspan=2000000000>a</td></tr>";
    for (int i = 0; i < 20000; ++i) pushed += "<tr><td rowspan=2000000000>b</td></tr>";
    TableGrid grid;
    buildTableGrid(inHtml(pushed + "</table>"), TableBorder::Visible, grid);
    EXPECT_EQ(grid.columnCount(), 1);
    EXPECT_EQ(grid.rowCount(), 20001);
    EXPECT_EQ(grid.at(1, 20001).hasTopEdge, 0);

    // A staircase: row r has 300 - r plain cells, then one spanning every column right of them
    // and every row below, over the spans of the rows above it.
    std::string overlapping = "<table>";
    for (int r = 1; r <= 300; ++r) {
        overlapping += "<tr>";
        for (int c = 0; c < 300 - r; ++c) overlapping += "<td>";
        overlapping += "<td colspan=300 rowspan=300></tr>";
    }
    EXPECT_THROW(buildTableGrid(inHtml(overlapping + "</table>"), TableBorder::Visible, grid), TableTooLargeError);
}

TEST(TableGrid, BorderColourOfTheLastTableTag)
{
    struct BorderCase {
        std::string_view tableTag;
        TableLineColour asSource;
    };
    const BorderCase cases[] = {
        {"<table>", TableLineColour::White},
        {"<table border=0>", TableLineColour::White},
        {"<table BORDER=\"0\" width=5>", TableLineColour::White},
        {"<table border=1>", TableLineColour::Black},
        {"<table width=100%>", TableLineColour::Black},
        {"<table border=00>", TableLineColour::Black},
        {"<table border=1 border=0>", TableLineColour::Black},
    };
    for (const BorderCase& c : cases) {
        SCOPED_TRACE(c.tableTag);
        const std::string html = inHtml(std::string(c.tableTag) + "<tr><td>a</td></tr></table>");
        TableGrid grid;
        EXPECT_EQ(buildTableGrid(html, TableBorder::AsSource, grid), c.asSource);
        EXPECT_EQ(buildTableGrid(html, TableBorder::Visible, grid), TableLineColour::Black);
    }
    TableGrid grid;
    EXPECT_EQ(buildTableGrid(inHtml("<table border=1><tr><td>a</td></tr></table><table><tr><td>b</td></tr></table>"),
                             TableBorder::AsSource, grid),
              TableLineColour::White);
}

TEST(TableGrid, TokenizerProblemsAreReported)
{
    std::vector<std::string> messages;
    TableGrid grid;
    buildTableGrid("<html><table><tr><td>a</td></tr></table><b", TableBorder::Visible, grid,
                   [&](std::string_view message, std::string_view) { messages.emplace_back(message); });
    EXPECT_EQ(messages, std::vector<std::string>{"> not found"});
    EXPECT_EQ(grid.at(1, 1).text, "a");
}

}  // namespace
}  // namespace vellumar
