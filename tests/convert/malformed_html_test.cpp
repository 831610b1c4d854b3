// Broken HTML of every usual kind converts into a well-formed book that keeps its text in
// order, in each table mode, with and without cleaning the source first.

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <map>
#include <string>
#include <vector>

#include "cleaning/source_normalizer.h"
#include "convert/body_writer.h"
#include "editing/text_lines.h"
#include "support/xml_check.h"

namespace vellumar {
namespace {

// Keeps each collected table's HTML, so that its text can stand where its picture stands.
class TableTexts : public PictureSink, public TablePictureSink {
public:
    std::map<int, std::string> tables;
    void embedPicture(std::string_view, std::string&, std::string&) override {}
    TableOutcome embedTablePicture(int number, std::string_view html, std::string&) override
    {
        tables[number] = std::string(html);
        return TableOutcome::Picture;
    }
};

// The text of markup, each tag read as a space.
std::string textOf(std::string_view markup)
{
    std::string text;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (markup[i] != '<') {
            text += markup[i];
            continue;
        }
        const std::size_t end = markup.find('>', i);
        if (end == std::string_view::npos) break;
        text += ' ';
        i = end;
    }
    return text;
}

// The book's text, a table picture read as the text of its table.
std::string bookText(const std::string& book, const TableTexts& pictures)
{
    const std::size_t start = book.find("</description>");
    std::string text;
    constexpr std::string_view kReference = "<image xlink:href=\"#table";
    std::size_t at = start;
    for (std::size_t ref = book.find(kReference, at); ref != std::string::npos; ref = book.find(kReference, at)) {
        text += textOf(std::string_view(book).substr(at, ref - at));
        const int number = std::atoi(book.c_str() + ref + kReference.size());
        if (const auto table = pictures.tables.find(number); table != pictures.tables.end())
            text += textOf(table->second);
        at = book.find('>', ref) + 1;
    }
    return text + textOf(std::string_view(book).substr(at));
}

struct MalformedCase {
    const char* name;
    std::string html;                // what stands after "<html><body>"
    std::vector<std::string> words;  // the text the book must keep, in this order
};

const MalformedCase kMalformedCases[] = {
    // Misnested formatting.
    {"BreakInsideBold", "<p><b>Address:<br>Street 1</b></p>", {"Address:", "Street 1"}},
    {"OverlappingBoldItalic", "<p><b>one<i>two</b>three</i></p>", {"one", "two", "three"}},
    {"BoldAroundParagraphs", "<b><p>one</b>two</p><p>three</p>", {"one", "two", "three"}},
    {"BoldAroundHeading", "<b><h1>one</h1></b>two", {"one", "two"}},
    {"ItalicAcrossHeading", "<p><i>one<h2>two</h2>three</i></p>", {"one", "two", "three"}},
    {"PoemLines", "<p><i>Line one<br>Line two<br>Line three</i></p>", {"Line one", "Line two", "Line three"}},
    // Stray and missing closers.
    {"StrayClosers", "</b></i>one</p></li></ul></td></tr></table></h1>two</h3></body>three", {"one", "two", "three"}},
    {"OptionalParagraphEnds", "<p>one<p>two<p>three", {"one", "two", "three"}},
    {"UnclosedHeadings", "<h1>one<h2>two<p>three<h3>four", {"one", "two", "three", "four"}},
    {"UnclosedBoldToTheEnd", "<p><b>one</p><p>two</p><h1>three</h1>four", {"one", "two", "three", "four"}},
    {"ClosersInWrongOrder", "<p><b><i>one</p></b></i>two", {"one", "two"}},
    // Unclosed lists.
    {"UnclosedItems", "<ul><li>one<li>two<ol><li>three</ul>four", {"one", "two", "three", "four"}},
    {"ItemsWithParagraphs", "<ul><li><p>one<li>two</p><li><b>three</ul>", {"one", "two", "three"}},
    // Unclosed tables and cells, rows closed over cells, headings in cells.
    {"UnclosedCells", "<table><tr><td>one<td>two<tr><td>three</table>four", {"one", "two", "three", "four"}},
    {"RowClosedOverCell", "<table><tr><td>one</tr><tr><td>two</tr></table>three", {"one", "two", "three"}},
    {"UnclosedTable", "<p>one<table><tr><td>two", {"one", "two"}},
    {"CellsWithoutTable", "<td>one</td><th>two<tr>three</caption>", {"one", "two", "three"}},
    {"HeadingInCell", "<table><tr><td><h1>one</h1>two</td></tr></table>three", {"one", "two", "three"}},
    {"ParagraphAcrossCells", "<p>one<table><tr><td>two</p>three</td></tr></table>four", {"one", "two", "three", "four"}},
    // Self-closed elements that cannot be empty, and void ones that can.
    {"SelfClosedNonVoid", "<p/>one<p />two<li/>three<td/>four<b/>five<table/>six<h1/>seven<ul/>eight",
     {"one", "two", "three", "four", "five", "six", "seven", "eight"}},
    {"SelfClosedVoid", "<p>one<br/>two<hr/>three<img src=x.png/></p>", {"one", "two", "three"}},
    // Nested tables.
    {"NestedTable", "<table><tr><td>one<table><tr><td>two</td></tr></table>three</td></tr></table>four",
     {"one", "two", "three", "four"}},
    {"NestedTableUnclosed", "<table><tr><td>one<table><tr><td>two<td>three</table>four", {"one", "two", "three", "four"}},
    {"ThreeLevels", "<table><tr><td><table><tr><td><table><tr><td>one</table></table>two</table>three",
     {"one", "two", "three"}},
    // Text outside paragraphs, and after the body.
    {"TextOutsideParagraphs", "one<p>two</p>three<br>four<b>five</b>", {"one", "two", "three", "four", "five"}},
    {"TextAfterBody", "<p>one</p></body>two<body><p>three", {"one", "two", "three"}},
};

class MalformedHtml : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedHtml, ConvertsIntoWellFormedBookWithItsText)
{
    const MalformedCase& c = GetParam();
    const std::string source = "<html><head><title>t</title></head><body>" + c.html;
    for (const TableMode mode : {TableMode::AsIs, TableMode::ContentOnly, TableMode::ConvertToImage}) {
        for (const bool clean : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "table mode " << static_cast<int>(mode) << (clean ? ", cleaned" : ""));
            SilentInteraction user;
            TableTexts pictures;
            ConversionServices services{user, pictures, pictures};
            ConversionOptions options;
            options.tableMode = mode;
            const std::string text =
                clean ? joinLinesCrLf(normalizeSourceHtml(source, options, user), false) : source;
            const auto book = writeBook(text, options, services);
            ASSERT_TRUE(book);
            EXPECT_EQ(testing::xmlProblem(book->text()), "") << book->text();
            const std::string words = bookText(book->text(), pictures);
            std::size_t at = 0;
            for (const std::string& word : c.words) {
                const std::size_t found = words.find(word, at);
                EXPECT_NE(found, std::string::npos) << "\"" << word << "\" missing or out of order in: " << words;
                if (found != std::string::npos) at = found + word.size();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, MalformedHtml, ::testing::ValuesIn(kMalformedCases),
                         vellumar::testing_support::CaseName{});

// The issue's own examples, written out.
struct ExactCase {
    const char* name;
    std::string html;
    std::string body;  // between "<body>" CR LF "<section>" CR LF and the end of the section
};

class MalformedExact : public ::testing::TestWithParam<ExactCase> {};

TEST_P(MalformedExact, Body)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    const auto book = writeBook("<html><body>" + GetParam().html + "</body></html>", {}, services);
    ASSERT_TRUE(book);
    const std::size_t start = book->text().find("<section>\r\n") + 11;
    const std::size_t end = book->text().rfind("</section>\r\n</body>");
    EXPECT_EQ(book->text().substr(start, end - start), GetParam().body);
}

const ExactCase kExactCases[] = {
    {"BreakInsideBoldKeepsBothHalvesBold", "<p><b>Address:<br>Street 1</b></p>",
     "<p><strong>Address:</strong></p>\r\n<p><strong>Street 1</strong></p>\r\n"},
    {"SelfClosedParagraphWritesNothing", "a<p/>b<p />c", "abc"},
    {"OptionalParagraphEnd", "<p>a<p>b</p>", "<p>a</p>\r\n<p>b</p>\r\n"},
    {"ListItemsWithoutEnds", "<ul><li>a<li>b</ul>", "<p> </p>\r\n<p>\x95 a</p>\r\n<p>\x95 b</p>\r\n<p> </p>\r\n"},
    {"NestedListStaysAsWritten", "<ul><li>a<ul><li>b</li></ul></li></ul>",
     "<p> </p>\r\n<p>\x95 a<p> </p>\r\n<p>\x95 b</p>\r\n<p> </p>\r\n</p>\r\n<p> </p>\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Examples, MalformedExact, ::testing::ValuesIn(kExactCases),
                         vellumar::testing_support::CaseName{});

}  // namespace
}  // namespace vellumar
