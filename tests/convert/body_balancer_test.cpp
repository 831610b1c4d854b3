#include "convert/body_balancer.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <string>

#include "support/xml_check.h"

namespace vellumar {
namespace {

std::string inDocument(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?><r xmlns:xlink=\"x\">" + body + "</r>";
}

struct BalanceCase {
    const char* name;
    std::string body;
    std::string balanced;
};

class BalanceTable : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(BalanceTable, Mends)
{
    const std::string out = balanceBody(GetParam().body);
    EXPECT_EQ(out, GetParam().balanced);
    EXPECT_EQ(testing::xmlProblem(inDocument(out)), "") << out;
}

const BalanceCase kBalanceCases[] = {
    // Well-formed bodies stay byte for byte, also where FB2 would nest otherwise.
    {"WellFormedUnchanged", "<p>\x95 <p>x</p>\r\n</p>\r\n<strong><p>y</p>\r\n</strong> <td><p>z</p>\r\n</td>",
     "<p>\x95 <p>x</p>\r\n</p>\r\n<strong><p>y</p>\r\n</strong> <td><p>z</p>\r\n</td>"},
    {"EmptyElementsAndText", "a<empty-line/>b<image xlink:href=\"#x&amp;y.png\"/>", "a<empty-line/>b<image xlink:href=\"#x&amp;y.png\"/>"},
    // An inline element open at the paragraph's end goes on in the next paragraph.
    {"BoldAcrossBreak", "<p><strong>Address:</p>\r\n<p>Street 1</strong></p>\r\n",
     "<p><strong>Address:</strong></p>\r\n<p><strong>Street 1</strong></p>\r\n"},
    {"TwoInlineAcrossTwoBreaks", "<p><emphasis><strong>a</p>\r\n<p>b</p>\r\n<p>c</strong></emphasis></p>\r\n",
     "<p><emphasis><strong>a</strong></emphasis></p>\r\n<p><emphasis><strong>b</strong></emphasis></p>\r\n"
     "<p><emphasis><strong>c</strong></emphasis></p>\r\n"},
    {"InlineClosedBetweenParagraphs", "<p><strong>a</p>\r\n</strong><p>b</p>\r\n",
     "<p><strong>a</strong></p>\r\n<p>b</p>\r\n"},
    {"CarryEndsAtSection", "<section>\r\n<p><strong>a</p>\r\n</section>\r\n<section>\r\n<p>b</p>\r\n",
     "<section>\r\n<p><strong>a</strong></p>\r\n</section>\r\n<section>\r\n<p>b</p>\r\n</section>\r\n"},
    // A paragraph that is never closed ends where the next one starts.
    {"UnclosedParagraphs", "<p>a<p>b<p>c</p>\r\n", "<p>a</p>\r\n<p>b</p>\r\n<p>c</p>\r\n"},
    {"UnclosedParagraphWithBold", "<p><strong>a<p>b</p>\r\n",
     "<p><strong>a</strong></p>\r\n<p><strong>b</strong></p>\r\n"},
    // Closing tags: further out closes what is in between; matching nothing is dropped.
    {"MisnestedInline", "<p><strong>a<emphasis>b</strong>c</emphasis></p>\r\n",
     "<p><strong>a<emphasis>b</emphasis></strong>c</p>\r\n"},
    {"StrayClosers", "</strong>a</p>\r\nb</td></tr>\r\n</table>\r\n</section>\r\n", "a\r\nb\r\n\r\n\r\n"},
    {"SectionClosesParagraph", "<section>\r\n<p><strong>a</section>\r\n<section>\r\nb</strong></p>\r\n</section>\r\n",
     "<section>\r\n<p><strong>a</strong></p>\r\n</section>\r\n<section>\r\nb\r\n</section>\r\n"},
    {"StrayInlineInsideCellKeepsTable", "<p>a <table> <tr> <td>b</p>c</td></tr>\r\n</table>\r\n",
     "<p>a </p>\r\n<table> <tr> <td>bc</td></tr>\r\n</table>\r\n"},
    // Tables: a row closed over an open cell, cells and rows opened over unclosed ones.
    {"RowClosedOverOpenCell", " <table> <tr> <td>a</tr>\r\n</table>\r\n",
     " <table> <tr> <td>a</td></tr>\r\n</table>\r\n"},
    {"UnclosedCellsAndRows", " <table> <tr> <td>a <td>b <tr> <td>c",
     " <table> <tr> <td>a </td><td>b </td></tr>\r\n<tr> <td>c</td></tr>\r\n</table>\r\n"},
    {"NestedTableCellKeepsOuterCell", " <table> <tr> <td> <table> <tr> <td>a</td></tr>\r\n</table>\r\nb</td></tr>\r\n</table>\r\n",
     " <table> <tr> <td> <table> <tr> <td>a</td></tr>\r\n</table>\r\nb</td></tr>\r\n</table>\r\n"},
    {"CellOverUnclosedInnerTable", " <table> <tr> <td> <table> <tr> <td>a <td>b</td></tr>\r\n</table>\r\n",
     " <table> <tr> <td> <table> <tr> <td>a </td><td>b</td></tr>\r\n</table>\r\n</td></tr>\r\n</table>\r\n"},
    // What is open at the end is closed, innermost first.
    {"OpenAtEnd", "<body>\r\n<section>\r\n<p><strong>a", "<body>\r\n<section>\r\n<p><strong>a</strong></p>\r\n</section>\r\n</body>\r\n"},
    // A "<" that starts no tag is text.
    {"BrokenTag", "a<b", "a&lt;b"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BalanceTable, ::testing::ValuesIn(kBalanceCases),
                         vellumar::testing_support::CaseName{});

TEST(BodyBalancer, DeepTagSoupStaysLinear)
{
    // Thousands of unclosed inline elements and paragraphs: bounded work, output and depth
    // (XML readers refuse documents nested hundreds deep).
    std::string body;
    for (int i = 0; i < 20000; ++i) body += "<strong>";
    for (int i = 0; i < 20000; ++i) body += "</p>\r\n<p>x</emphasis>";
    const std::string out = balanceBody(body);
    EXPECT_EQ(testing::xmlProblem(inDocument(out)), "");
    EXPECT_LT(out.size(), body.size() * 20);
}

}  // namespace
}  // namespace vellumar
