#include "cleaning/source_normalizer.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <string>
#include <string_view>

#include "html/tokenizer.h"
#include "recording_interaction.h"

namespace vellumar {
namespace {

using testing::RecordingInteraction;

// Cleans "<html>" + body (one line, so the tokenizer sees "<html>", the body and CR LF) with
// "Straighten text" off and returns what lies between the "<html>" and the final CR LF.
std::string cleanBody(std::string_view body)
{
    RecordingInteraction user;
    const std::string out = normalizeSourceHtml("<html>" + std::string(body), false, user);
    EXPECT_TRUE(user.reports.empty()) << user.reports.front().first;
    const std::string_view prefix = "<html>";
    const std::string_view suffix = "\r\n";
    if (out.size() < prefix.size() + suffix.size() || out.compare(0, prefix.size(), prefix) != 0 ||
        out.compare(out.size() - suffix.size(), suffix.size(), suffix) != 0) {
        ADD_FAILURE() << "unexpected frame: " << out;
        return out;
    }
    return out.substr(prefix.size(), out.size() - prefix.size() - suffix.size());
}

struct CleaningCase {
    std::string_view name;
    std::string_view body;
    std::string_view expected;
};

void PrintTo(const CleaningCase& c, std::ostream* os) { *os << c.name; }

class CleaningTable : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(CleaningTable, GivesExactBytes)
{
    EXPECT_EQ(cleanBody(GetParam().body), GetParam().expected);
}

const CleaningCase kClassCases[] = {
    {"BoldClassInsideReducedTag", "<style>p.bold1 { font-weight: bold }</style><P CLASS=Bold1>x</P>",
     "\r\n<p><b>x</b></p>"},
    {"BoldItalicSpanLeavesOnlyItsClassTags",
     "<style>span.e { font-style: italic; font-weight: bold }</style><span class=e>x</span>", "<b><i>x</i></b>"},
    {"SelectorListWithSpace", "<style>p.x, li.x {font-style:italic}</style><p class=x>a</p><li class=x>b</li>",
     "\r\n<p><i>a</i></p>\r\n<li><i>b</i></li>"},
    {"NumericWeightIsNotBoldBolderIs",
     "<style>p.a {font-weight:700} p.b {font-weight:bolder}</style><p class=a>1</p><p class=b>2</p>",
     "\r\n<p>1</p>\r\n<p><b>2</b></p>"},
    {"RuleReadAfterATagDoesNotApplyToIt", "<p class=z>1</p><style>p.z{font-weight:bold}</style><p class=z>2</p>",
     "\r\n<p>1</p>\r\n<p><b>2</b></p>"},
    {"FirstRuleReadWins", "<style>p.x{font-weight:bold} p.x{font-style:italic}</style><p class=x>a</p>",
     "\r\n<p><b>a</b></p>"},
    {"SelectorAndClassCompareWithoutCase", "<style>P.Title1 {FONT-WEIGHT: BOLD}</style><p class=TITLE1>t</p>",
     "\r\n<p><b>t</b></p>"},
    {"ClassWithoutElementMatchesNoTag", "<style>.note {font-weight:bold}</style><p class=note>n</p>",
     "\r\n<p>n</p>"},
    {"RuleAppliesOnlyToItsElement", "<style>p.x {font-weight:bold}</style><li class=x>n</li>", "\r\n<li>n</li>"},
    {"WholeClassValueIsCompared", "<style>p.a {font-weight:bold}</style><p class=\"a b\">n</p>", "\r\n<p>n</p>"},
    {"LaterClassAttributeMissKeepsEarlierHit",
     "<style>p.x {font-weight:bold}</style><p class=x class=nope>n</p>", "\r\n<p><b>n</b></p>"},
    {"DissolvedSpanWithClassInsideParagraph",
     "<style>span.b{font-weight:bold}</style><p><span class=b>x</span> y</p>", "\r\n<p><b>x</b> y</p>"},
    {"ItalicClassOnCellKeepsCellAttributes",
     "<style>td.h{font-style:italic}</style><td class=h colspan=2>c</td>", "\r\n<td  colspan=\"2\"><i>c</i></td>"},
    {"StyleBlockWithCommentsAndSeveralLinesInOneLine",
     "<style><!-- /* defs */ p.MsoTitle {mso-style-name:x; font-weight:bold;} --></style><p class=MsoTitle>T</p>",
     "\r\n<p><b>T</b></p>"},
};
INSTANTIATE_TEST_SUITE_P(ClassStyles, CleaningTable, ::testing::ValuesIn(kClassCases),
                         vellumar::testing_support::CaseName{});

const CleaningCase kStructureCases[] = {
    {"InnerElementClosedBeforeOuter", "<p><b>text</p>", "\r\n<p><b>text</b></p>"},
    {"SecondElementLeftOpenIsNotRepaired", "<p><b><i>text</p>", "\r\n<p><b><i>text</p>"},
    {"DivLeavesOnlyItsLineBreak", "<div>x</div>", "\r\nx"},
    {"StrayClosingBoldIsWrittenUnchanged", "x</b>y", "x</b>y"},
    {"StrayClosingSpanIsDropped", "x</span>y", "xy"},
    {"FontAndSpanWithoutClassWriteNothing", "<span>a</span><font face=Arial>b</font><o:p></o:p>", "ab"},
    {"TableTagsGetLineBreaks", "<table><tr><td>x</td></tr></table>",
     "\r\n<table>\r\n<tr>\r\n<td>x</td>\r\n</tr>\r\n</table>"},
    {"ScriptStyleCommentAndServerScriptDisappear",
     "a<script>var x = \"<p>\";</script>b<style>p {}</style>c<!-- d -->e<%= f %>g", "abceg"},
    {"UppercaseScriptClosesToo", "a<SCRIPT>x</SCRIPT>b", "ab"},
    {"EntitiesPassUnchanged", "<p>a&amp;b&nbsp;&quot;</p>", "\r\n<p>a&amp;b&nbsp;&quot;</p>"},
    {"TagWithEmptyNameIsDropped", "< p>x", "x"},
    {"DoctypeKeepsItsValuelessAttribute", "<!DOCTYPE html>", "<!doctype  html=\"\">"},
};
INSTANTIATE_TEST_SUITE_P(Structure, CleaningTable, ::testing::ValuesIn(kStructureCases),
                         vellumar::testing_support::CaseName{});

const CleaningCase kRebuildCases[] = {
    {"ReducedTagKeepsNoAttributes", "<P ALIGN=center CLASS=x>", "\r\n<p>"},
    {"TableKeepsOnlyBorder", "<table border=1 width=100% cellpadding=3>", "\r\n<table  border=\"1\">"},
    {"RowKeepsAlignments", "<TR Align=left VALIGN=top bgcolor=red>", "\r\n<tr  Align=\"left\" VALIGN=\"top\">"},
    {"CellKeepsSpansAndAlignments", "<TD ColSpan=2 Width=40 rowspan=\"3\" align=right valign=top nowrap>",
     "\r\n<td  ColSpan=\"2\" rowspan=\"3\" align=\"right\" valign=\"top\">"},
    {"ImageKeepsEveryAttributeStyleInSingleQuotes", "<img src=pic.jpg alt=x style=width:10px>",
     "<img  src=\"pic.jpg\" alt=\"x\" style='width:10px'>"},
    {"AttributeNameAsTyped", "<a HREF=x.htm>", "<a  HREF=\"x.htm\">"},
    {"ValueHoldingItsQuoteTakesTheOther", "<a title='say \"hi\"' style=\"a:'b'\">",
     "<a  title='say \"hi\"' style=\"a:'b'\">"},
    {"XmlDeclarationStaysReadable", "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
     "<?xml  version=\"1.0\" encoding='utf-8\"?'>"},
    {"LineBreakWithoutAttributes", "<br class=x>", "\r\n<br>"},
    {"RuleKeepsItsAttributes", "<hr size=2>", "<hr  size=\"2\">"},
    {"MetaStandsAloneOnItsLine", "<META http-equiv=a content=b>", "\r\n<meta  http-equiv=\"a\" content=\"b\">"},
    {"HeadingsAndListsLoseAttributes", "<H2 id=a>h</H2><UL type=disc><LI value=3>i</LI></UL>",
     "\r\n<h2>h</h2>\r\n<ul>\r\n<li>i</li></ul>"},
};
INSTANTIATE_TEST_SUITE_P(Rebuild, CleaningTable, ::testing::ValuesIn(kRebuildCases),
                         vellumar::testing_support::CaseName{});

// Self-closing tags are plain empty elements: a line break before "br", nothing pushed, and no
// closing tag made of their names is ever written.
const CleaningCase kSelfClosingCases[] = {
    {"BreakWithoutSpace", "<p>a<br/>b</p>", "\r\n<p>a\r\n<br>b</p>"},
    {"BreakWithSpace", "<p>a<br />b</p>", "\r\n<p>a\r\n<br>b</p>"},
    {"RuleAndPicture", "<p><hr/><img src=\"a.jpg\"/></p>", "\r\n<p><hr><img  src=\"a.jpg\"></p>"},
    {"UpperCaseBreak", "<P>a<BR/>b</P>", "\r\n<p>a\r\n<br>b</p>"},
};
INSTANTIATE_TEST_SUITE_P(SelfClosing, CleaningTable, ::testing::ValuesIn(kSelfClosingCases),
                         vellumar::testing_support::CaseName{});

// The cleaned text is tokenized again by the conversion: a declaration whose last value keeps
// a quote must not leave a quoted run open that swallows the whole document.
TEST(NormalizeSourceHtml, CleanedDeclarationLeavesTheDocumentReadable)
{
    RecordingInteraction user;
    const std::string cleaned = normalizeSourceHtml(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0//EN\"\n"
        "  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n<html><body><p>text</p></body></html>",
        true, user);
    HtmlParser parser;
    parser.parse(cleaned, [&user](std::string_view m, std::string_view t) { user.reportTokenizerProblem(m, t); });
    EXPECT_TRUE(user.reports.empty()) << user.reports.front().first;
    bool sawText = false;
    for (std::int32_t i = 0; i < parser.itemCount(); ++i)
        sawText = sawText || (parser.item(i).isText() && parser.item(i).text() == "text");
    EXPECT_TRUE(sawText) << cleaned;
}

TEST(NormalizeSourceHtml, EmptyDocumentGivesEmptyText)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("", true, user), "");
    EXPECT_TRUE(user.reports.empty());
}

TEST(NormalizeSourceHtml, StraighteningTurnsLineBreaksInTextIntoSpaces)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html><p>a\r\nb</p>", true, user), "<html>\r\n<p>a  b</p>  ");
    EXPECT_EQ(normalizeSourceHtml("<html><p>a\r\nb</p>", false, user), "<html>\r\n<p>a\r\nb</p>\r\n");
    ConversionOptions options;
    options.straightenText = false;
    EXPECT_EQ(normalizeSourceHtml("<html><p>a\r\nb</p>", options, user), "<html>\r\n<p>a\r\nb</p>\r\n");
}

TEST(NormalizeSourceHtml, EveryLineIsEndedByCrLfBeforeTokenizing)
{
    RecordingInteraction user;
    // LF and lone CR line ends, and a last line without a break.
    EXPECT_EQ(normalizeSourceHtml("<html>\n<p>a\rb</p>", false, user), "<html>\r\n\r\n<p>a\r\nb</p>\r\n");
}

TEST(NormalizeSourceHtml, TextWithoutHtmlMarkersIsOneTextItem)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<P CLASS=x>a</P>", false, user), "<P CLASS=x>a</P>\r\n");
}

TEST(NormalizeSourceHtml, UnterminatedStyleSwallowsTheRestAndIsReported)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html><p>a</p><style>p.x{font-weight:bold}<p class=x>b</p>", false, user),
              "<html>\r\n<p>a</p>");
    ASSERT_EQ(user.reports.size(), 1U);
    EXPECT_EQ(user.reports[0].first, "</style> not match");
    EXPECT_EQ(user.reports[0].second, "p.x{font-weight:bold}<p class=x>b</p>\r\n");
}

TEST(NormalizeSourceHtml, UnterminatedScriptSwallowsTheRestAndIsReported)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html>a<script>x<p>b", false, user), "<html>a");
    ASSERT_EQ(user.reports.size(), 1U);
    EXPECT_EQ(user.reports[0].first, "</script> not match");
}

TEST(NormalizeSourceHtml, MarkupWithoutEndKeepsWhatCameBefore)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html><p>a</p><b", false, user), "<html>\r\n<p>a</p>");
    ASSERT_EQ(user.reports.size(), 1U);
    EXPECT_EQ(user.reports[0].first, "> not found");
    EXPECT_EQ(user.reports[0].second, "<b\r\n");
}

TEST(NormalizeSourceHtml, StylesOfOneRunDoNotLeakIntoTheNext)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html><style>p.x{font-weight:bold}</style><p class=x>a</p>", false, user),
              "<html>\r\n<p><b>a</b></p>\r\n");
    EXPECT_EQ(normalizeSourceHtml("<html><p class=x>a</p>", false, user), "<html>\r\n<p>a</p>\r\n");
}

TEST(NormalizeSourceHtml, ElementsOpenAtTheEndStayOpen)
{
    RecordingInteraction user;
    EXPECT_EQ(normalizeSourceHtml("<html><body><style>p.x{font-style:italic}</style><p class=x>a", false, user),
              "<html>\r\n<body>\r\n<p><i>a\r\n");
}

}  // namespace
}  // namespace vellumar
