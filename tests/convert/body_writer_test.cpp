#include "convert/body_writer.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <algorithm>
#include <string>
#include <vector>

#include "convert/document_frame.h"
#include "support/xml_check.h"

namespace vellumar {
namespace {

class ScriptedUser : public UserInteraction {
public:
    std::optional<BookInfoAnswers> answers;
    std::vector<std::string> reports;
    int asked = 0;
    void reportTokenizerProblem(std::string_view message, std::string_view) override { reports.emplace_back(message); }
    std::optional<BookInfoAnswers> askBookInfo() override
    {
        ++asked;
        return answers;
    }
};

// Records the pictures and tables handed over, writing recognisable stand-ins.
class RecordingPictures : public PictureSink, public TablePictureSink {
public:
    std::vector<std::string> sources;
    std::vector<std::pair<int, std::string>> tables;
    std::vector<int> tooLarge;  // the numbers of the tables to refuse
    int begun = 0;
    int ended = 0;
    void beginConversion() override { ++begun; }
    void endConversion() override { ++ended; }
    void embedPicture(std::string_view src, std::string& body, std::string& binaries) override
    {
        sources.emplace_back(src);
        body += "[img " + std::string(src) + "]";
        binaries += "[bin " + std::string(src) + "]";
    }
    TableOutcome embedTablePicture(int number, std::string_view html, std::string& binaries) override
    {
        tables.emplace_back(number, std::string(html));
        if (std::find(tooLarge.begin(), tooLarge.end(), number) != tooLarge.end()) return TableOutcome::Text;
        binaries += "[table " + std::to_string(number) + "]";
        return TableOutcome::Picture;
    }
};

struct Converted {
    std::string header;
    std::string body;  // what stands between the header and the closing
    std::string whole;
};

Converted convert(const std::string& html, const ConversionOptions& options = {}, ScriptedUser* userIn = nullptr,
                  RecordingPictures* picturesIn = nullptr)
{
    ScriptedUser localUser;
    RecordingPictures localPictures;
    ScriptedUser& user = userIn ? *userIn : localUser;
    RecordingPictures& pictures = picturesIn ? *picturesIn : localPictures;
    ConversionServices services{user, pictures, pictures};
    const auto doc = writeBook(html, options, services);
    if (!doc) return {};
    const std::string header = buildHeader("Book Title", "First Name", "Last Name");
    Converted c;
    c.whole = doc->text();
    const std::size_t end = doc->text().rfind(closeDocument());
    const std::size_t headerEnd = doc->text().find("</description>\r\n") + 16;
    c.header = doc->text().substr(0, headerEnd);
    c.body = doc->text().substr(headerEnd, end - headerEnd);
    return c;
}

struct BodyCase {
    const char* name;
    std::string html;
    std::string body;
};

class BodyTable : public ::testing::TestWithParam<BodyCase> {};

TEST_P(BodyTable, ExactBody)
{
    EXPECT_EQ(convert("<html>" + GetParam().html).body, GetParam().body);
}

const BodyCase kBodyCases[] = {
    {"TitleHeadingOpensSection", "<body><h1>A</h1><p>x</p></body>",
     "<body>\r\n<section>\r\n</section>\r\n<section>\r\n<title><p><strong>A</strong></p></title>\r\n<p>x</p>\r\n"
     "</section>\r\n</body>\r\n"},
    {"BreakInsideParagraph", "<body><p>a<br>b</p>", "<body>\r\n<section>\r\n<p>a</p>\r\n<p>b</p>\r\n</section>\r\n</body>\r\n"},
    {"XhtmlBreakInsideParagraph", "<body><p>a<br/>b<br />c</p>",
     "<body>\r\n<section>\r\n<p>a</p>\r\n<p>b</p>\r\n<p>c</p>\r\n</section>\r\n</body>\r\n"},
    {"BreakOutsideParagraph", "<body><br>", "<body>\r\n<section>\r\n<p> </p>\r\n</section>\r\n</body>\r\n"},
    {"List", "<body><ul><li>x</li></ul>", "<body>\r\n<section>\r\n<p> </p>\r\n<p>\x95 x</p>\r\n<p> </p>\r\n</section>\r\n</body>\r\n"},
    {"OnlyBAndIEmphasise", "<body><strong>s</strong><em>e</em><b>b</b><I>i</I>",
     "<body>\r\n<section>\r\nse<strong>b</strong><emphasis>i</emphasis></section>\r\n</body>\r\n"},
    {"TextBeforeBodyDropped", "<head><title>T</title><h2>H</h2></head><body>x",
     "\r\n<subtitle><p><strong></strong></p></subtitle>\r\n<body>\r\n<section>\r\nx</section>\r\n</body>\r\n"},
    {"SubtitleAndBoldHeadings", "<body><h2>s</h2><h3>t</h3>",
     "<body>\r\n<section>\r\n\r\n<subtitle><p><strong>s</strong></p></subtitle>\r\n\r\n<p> </p>\r\n<p><strong>t"
     "</strong></p>\r\n<p> </p>\r\n</section>\r\n</body>\r\n"},
    {"EntitiesAndStraightening", "<body>&quot;a&quot;\r\nb&nbsp;&nbsp;c &amp; &#8209; &laquo;",
     "<body>\r\n<section>\r\n\"a\" b c &amp; - \xab</section>\r\n</body>\r\n"},
    {"BlankRunsCollapse", "<body>a \t\xa0 b", "<body>\r\n<section>\r\na b</section>\r\n</body>\r\n"},
    {"UnknownTagsWriteNothing", "<body><div><span>a</span></div><hr><a href=x>b</a>", "<body>\r\n<section>\r\nab</section>\r\n</body>\r\n"},
    {"BareAmpersandAndScriptText", "<body>R&D<script>if (a<b) c();</script>",
     "<body>\r\n<section>\r\nR&amp;Dif (a&lt;b) c();</section>\r\n</body>\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BodyTable, ::testing::ValuesIn(kBodyCases),
                         vellumar::testing_support::CaseName{});

TEST(BodyWriter, TitleLevels)
{
    ConversionOptions h6;
    h6.titleLevel = 5;
    EXPECT_EQ(mapHeading("h6", 5), "</section>\r\n<section>\r\n<title><p><strong>");
    EXPECT_EQ(mapHeading("/h3", 0), "</strong></p>\r\n<p> </p>\r\n");
    ConversionOptions none;
    none.titleLevel = -1;
    EXPECT_EQ(convert("<html><body><h1>A</h1>", none).body, "<body>\r\n<section>\r\nA</section>\r\n</body>\r\n");
    EXPECT_EQ(mapHeading("h7", 0), "");
}

TEST(BodyWriter, StraightenOffKeepsLineBreaks)
{
    ConversionOptions keep;
    keep.straightenText = false;
    EXPECT_EQ(convert("<html><body>a\r\nb", keep).body, "<body>\r\n<section>\r\na\r\nb</section>\r\n</body>\r\n");
}

TEST(BodyWriter, DocumentFrame)
{
    const Converted c = convert("<html><body><p>x</p></body>");
    EXPECT_EQ(c.header, buildHeader("Book Title", "First Name", "Last Name"));
    EXPECT_TRUE(c.whole.ends_with("</body>\r\n\r\n</FictionBook>"));
    EXPECT_TRUE(c.header.starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<FictionBook "
                                     "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                                     "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n<description>\r\n"));
    EXPECT_NE(c.header.find("\r\n <book-title>Book Title</book-title>\r\n <lang>ru</lang>\r\n"), std::string::npos);
    EXPECT_EQ(testing::xmlProblem(c.whole), "");
}

TEST(BodyWriter, BookInfoAnswersAreEscaped)
{
    ScriptedUser user;
    user.answers = BookInfoAnswers{"Tom & Jerry <1>", "", "O'Neil"};
    const Converted c = convert("<html><body>x</body>", {}, &user);
    EXPECT_EQ(user.asked, 1);
    EXPECT_NE(c.header.find(" <book-title>Tom &amp; Jerry &lt;1&gt;</book-title>\r\n"), std::string::npos);
    EXPECT_NE(c.header.find(" <first-name></first-name>\r\n <last-name>O'Neil</last-name>\r\n"), std::string::npos);
    EXPECT_EQ(testing::xmlProblem(c.whole), "");

    ConversionOptions off;
    off.showTitleInfo = false;
    ScriptedUser notAsked;
    notAsked.answers = user.answers;
    EXPECT_NE(convert("<html><body>x", off, &notAsked).header.find("Book Title"), std::string::npos);
    EXPECT_EQ(notAsked.asked, 0);
}

TEST(BodyWriter, NoItemsGivesNoDocument)
{
    ScriptedUser user;
    RecordingPictures pictures;
    ConversionServices services{user, pictures, pictures};
    EXPECT_FALSE(writeBook("", {}, services));
    EXPECT_FALSE(writeBook("<html", {}, services));
    EXPECT_EQ(user.reports, std::vector<std::string>{"> not found"});
    EXPECT_EQ(pictures.ended, 2);  // the picture code is told the conversion ended
}

TEST(BodyWriter, PicturesByEverySrcAttribute)
{
    RecordingPictures pictures;
    const Converted c = convert("<html><body><IMG alt=a SRC=\"x.jpg\" src=y.png><img alt=b>", {}, nullptr, &pictures);
    EXPECT_EQ(pictures.sources, (std::vector<std::string>{"x.jpg", "y.png"}));
    EXPECT_EQ(c.body, "<body>\r\n<section>\r\n[img x.jpg][img y.png]</section>\r\n</body>\r\n[bin x.jpg][bin y.png]");
}

TEST(BodyWriter, TablesAsIs)
{
    EXPECT_EQ(convert("<html><body><TABLE BORDER=1 CellPadding=2><tr><td>a</td></tr></table>").body,
              "<body>\r\n<section>\r\n <table cellpadding=\"2\"> <tr> <td>a</td></tr>\r\n</table>\r\n</section>\r\n</body>\r\n");
    // Attributes that XML could not hold are left out; values are escaped.
    EXPECT_EQ(convert("<html><body><td nowrap hidden><td title='a\"b&c' Title=x>").body,
              "<body>\r\n<section>\r\n <td> </td><td title=\"a&quot;b&amp;c\"></td></section>\r\n</body>\r\n");
}

TEST(BodyWriter, TablesContentOnly)
{
    ConversionOptions content;
    content.tableMode = TableMode::ContentOnly;
    EXPECT_EQ(convert("<html><body><table><tr><td>a</td><td>b</td></tr></table>", content).body,
              "<body>\r\n<section>\r\nab</section>\r\n</body>\r\n");
}

TEST(BodyWriter, TablesAsPicturesCollectTheirHtml)
{
    ConversionOptions pictures;
    pictures.tableMode = TableMode::ConvertToImage;
    RecordingPictures sink;
    const Converted c = convert(
        "<html><body><p>a</p><TABLE Border=1 style=\"x\"><tr><td>&amp;1<img src=p.jpg></td></tr></table>"
        "<table><tr><td>2</td></tr></table><td>out</td>",
        pictures, nullptr, &sink);
    ASSERT_EQ(sink.tables.size(), 2u);
    EXPECT_EQ(sink.tables[0].first, 1);
    EXPECT_EQ(sink.tables[0].second,
              "<html>\r\n<table Border=\"1\" style='x'><tr><td>&amp;1<img src=\"p.jpg\"></td></tr></table>\r\n</html>");
    EXPECT_EQ(sink.tables[1].first, 2);
    EXPECT_TRUE(sink.sources.empty());  // a picture inside a table is part of the table's picture
    EXPECT_EQ(c.body,
              "<body>\r\n<section>\r\n<p>a</p>\r\n\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table1.png\"/>\r\n"
              "\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table2.png\"/>\r\nout</section>\r\n</body>\r\n"
              "[table 1][table 2]");
}

TEST(BodyWriter, ACaptionStandsAboveItsTablePicture)
{
    ConversionOptions pictures;
    pictures.tableMode = TableMode::ConvertToImage;
    RecordingPictures sink;
    const Converted c = convert("<html><body><table><caption> Table 1.\r\n<b>Fares</b> &amp; times&nbsp;</caption>"
                                "<tr><td>a</td></tr></table><table><caption> </caption><tr><td>b</td></tr></table>",
                                pictures, nullptr, &sink);
    EXPECT_EQ(c.body, "<body>\r\n<section>\r\n\r\n<empty-line/>\r\n<p>Table 1. Fares &amp; times</p>\r\n"
                      "<image xlink:href=\"#table1.png\"/>\r\n\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table2.png\"/>\r\n"
                      "</section>\r\n</body>\r\n[table 1][table 2]");
    ASSERT_EQ(sink.tables.size(), 2u);
    EXPECT_NE(sink.tables[0].second.find("<caption>"), std::string::npos) << "the table's HTML is unchanged";
}

TEST(BodyWriter, NestedAndUnclosedTablesInPictureMode)
{
    ConversionOptions pictures;
    pictures.tableMode = TableMode::ConvertToImage;
    RecordingPictures sink;
    // The inner table's cells become text of the outer cell; a table never closed still
    // becomes a picture at the end.
    const Converted c = convert("<html><body><table><tr><td>a<TABLE><tr><td>b</td><td>c<br></td></tr></table>d</td>"
                                "</tr></table>e<table><tr><td>f",
                                pictures, nullptr, &sink);
    ASSERT_EQ(sink.tables.size(), 2u);
    EXPECT_EQ(sink.tables[0].second, "<html>\r\n<table><tr><td>abc<br>d</td></tr></table>\r\n</html>");
    EXPECT_EQ(sink.tables[1].second, "<html>\r\n<table><tr><td>f</table>\r\n</html>");
    EXPECT_EQ(c.body, "<body>\r\n<section>\r\n\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table1.png\"/>\r\ne"
                      "\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table2.png\"/>\r\n</section>\r\n</body>\r\n"
                      "[table 1][table 2]");
}

TEST(BodyWriter, StrayClosingTableInPictureMode)
{
    ConversionOptions pictures;
    pictures.tableMode = TableMode::ConvertToImage;
    RecordingPictures sink;
    const Converted c = convert("<html><body></table>", pictures, nullptr, &sink);
    EXPECT_EQ(c.body, "<body>\r\n<section>\r\n\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table0.png\"/>\r\n"
                      "</section>\r\n</body>\r\n[table 0]");
    ASSERT_EQ(sink.tables.size(), 1u);
    EXPECT_EQ(sink.tables[0].second, "</table>\r\n</html>");  // no rows: the table code makes no picture
}

// A table the picture code refuses is written as "Content only" writes it, pictures and
// paragraphs inside it included; the tables around it keep their pictures.
TEST(BodyWriter, TableTooLargeForAPictureIsWrittenAsItsText)
{
    ConversionOptions pictures;
    pictures.tableMode = TableMode::ConvertToImage;
    RecordingPictures sink;
    sink.tooLarge = {2};
    const Converted c = convert("<html><body><table><tr><td>1</td></tr></table>"
                                "<TABLE border=1><tr><td><p>a &amp; b</p></td><td>c<img src=x.png><b>d</b></td></tr>"
                                "</table><table><tr><td>3</td></tr></table>",
                                pictures, nullptr, &sink);
    EXPECT_EQ(c.body, "<body>\r\n<section>\r\n\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table1.png\"/>\r\n"
                      "<p>a &amp; b</p>\r\nc[img x.png]<strong>d</strong>"
                      "\r\n<empty-line/>\r\n\r\n<image xlink:href=\"#table3.png\"/>\r\n</section>\r\n</body>\r\n"
                      "[table 1][bin x.png][table 3]");
    EXPECT_EQ(sink.tables.size(), 3u);
}

TEST(BodyWriter, BalancedSourceGivesWellFormedBook)
{
    const std::string html =
        "<html><head><title>t</title><style>p{}</style></head><body>\r\n"
        "<h1>Ch &amp; 1</h1><p>a &laquo;b&raquo; &hellip; &copy; &#x1F600; &#1; R&D &foo; <b>x</b><i>y</i></p>\r\n"
        "<h2>s</h2><h4>d</h4><ul><li>one<br>two</li></ul><p>a<br/>b</p>\x01\x98"
        "<table border=1 nowrap><tr><td colspan=2 o:x=1>c</td></tr></table>\r\n</body></html>";
    for (TableMode mode : {TableMode::AsIs, TableMode::ContentOnly}) {
        ConversionOptions options;
        options.tableMode = mode;
        const Converted c = convert(html, options);
        EXPECT_EQ(testing::xmlProblem(c.whole), "") << c.body;
    }
}

}  // namespace
}  // namespace vellumar
