// A page as a word processor saves it for the web, cleaned and then converted.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleaning/source_normalizer.h"
#include "convert/body_writer.h"
#include "base/picture_sink.h"
#include "encodings/text_encoding.h"
#include "editing/text_lines.h"
#include "recording_interaction.h"
#include "support/xml_check.h"

namespace vellumar {
namespace {

using testing::RecordingInteraction;

std::string joined(const std::vector<std::string_view>& lines, bool breakAfterLast)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.append(lines[i]);
        if (breakAfterLast || i + 1 < lines.size()) out.append("\r\n");
    }
    return utf8ToWindows1251(out);
}

// Office namespaces, a properties block in a conditional comment, a style sheet inside a
// comment with font faces, class rules over several lines and several rules on one line,
// a "div" section, "span" and "font" wrappers, "o:p" marks, a tag split over two lines and
// a layout table.
const std::vector<std::string_view> kWordPage = {
    "<html xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\">",
    "<head>",
    "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">",
    "<meta name=Generator content=\"Microsoft Word 11\">",
    "<title>Белая ночь</title>",
    "<!--[if gte mso 9]><xml>",
    " <o:DocumentProperties>",
    "  <o:Author>Щука</o:Author>",
    " </o:DocumentProperties>",
    "</xml><![endif]-->",
    "<style>",
    "<!--",
    " /* Font Definitions */",
    " @font-face",
    "\t{font-family:Tahoma;",
    "\tpanose-1:2 11 6 4 3 5 4 4 2 4;}",
    " /* Style Definitions */",
    " p.MsoNormal, li.MsoNormal, div.MsoNormal",
    "\t{mso-style-parent:\"\";",
    "\tmargin:0cm;",
    "\tfont-size:12.0pt;",
    "\tfont-family:\"Times New Roman\";}",
    "p.MsoTitle",
    "\t{margin:0cm;",
    "\ttext-align:center;",
    "\tfont-weight:bold;}",
    "p.Epigraph",
    "\t{margin-left:180.0pt;",
    "\tfont-style:italic;}",
    "span.Strong {font-weight:bold;} span.Emph {font-style:italic;}",
    "@page Section1",
    "\t{size:595.3pt 841.9pt;}",
    "div.Section1",
    "\t{page:Section1;}",
    "-->",
    "</style>",
    "</head>",
    "",
    "<body lang=RU style='tab-interval:35.4pt'>",
    "",
    "<div class=Section1>",
    "",
    "<p class=MsoTitle align=center style='text-align:center'><span lang=EN-US>White Night</span><o:p></o:p></p>",
    "",
    "<p class=Epigraph>Всё проходит.<o:p></o:p></p>",
    "",
    "<h1><span style='font-size:16.0pt'>Глава 1</span></h1>",
    "",
    "<p class=MsoNormal>Он сказал: <span class=Strong>&laquo;Нет&raquo;</span> и <span",
    "class=Emph>ушёл</span>. <font face=Arial>Конец</font>.<o:p></o:p></p>",
    "",
    "<p class=MsoNormal><o:p>&nbsp;</o:p></p>",
    "",
    "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0",
    " style='border-collapse:collapse'>",
    " <tr>",
    "  <td width=319 valign=top style='width:239.25pt'>",
    "  <p class=MsoNormal>ячейка</p>",
    "  </td>",
    " </tr>",
    "</table>",
    "",
    "</div>",
    "",
    "</body>",
    "",
    "</html>",
};

const std::vector<std::string_view> kCleaned = {
    "<html  xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\">  ",
    "<head>  ",
    "<meta  http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">  ",
    "<meta  name=\"Generator\" content=\"Microsoft Word 11\">  ",
    "<title>Белая ночь</title>      ",
    "</head>    ",
    "<body>    ",
    "    ",
    "<p><b>White Night</b></p>    ",
    "<p><i>Всё проходит.</i></p>    ",
    "<h1>Глава 1</h1>    ",
    "<p>Он сказал: <b>&laquo;Нет&raquo;</b> и <i>ушёл</i>. Конец.</p>    ",
    "<p>&nbsp;</p>    ",
    "<table  border=\"1\">   ",
    "<tr>    ",
    "<td  valign=\"top\">    ",
    "<p>ячейка</p>    </td>   ",
    "</tr>  ",
    "</table>        ",
    "</body>    ",
    "</html>  ",
};

TEST(WordExport, CleansToTheSmallDialect)
{
    RecordingInteraction user;
    EXPECT_EQ(windows1251ToUtf8(normalizeSourceHtml(joined(kWordPage, true), true, user)),
              windows1251ToUtf8(joined(kCleaned, false)));
    EXPECT_TRUE(user.reports.empty());
}

TEST(WordExport, CleanedPageConvertsIntoAWellFormedBook)
{
    RecordingInteraction user;
    user.answers = BookInfoAnswers{utf8ToWindows1251("Белая ночь"), utf8ToWindows1251("Щука"), ""};
    const std::string cleaned = normalizeSourceHtml(joined(kWordPage, true), true, user);

    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    const std::optional<Fb2Document> book =
        writeBook(joinLinesCrLf(cleaned, false), ConversionOptions{}, services);
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->bodySeen);
    EXPECT_EQ(book->proposedFileName, std::optional<std::string>("belaja_noch-shuka.fb2"));
    EXPECT_EQ(testing::xmlProblem(book->text()), "");

    const std::string fb2 = windows1251ToUtf8(book->text());
    for (const std::string_view expected : {
             " <p><strong>White Night</strong></p>\r\n",
             " <p><emphasis>Всё проходит.</emphasis></p>\r\n",
             "<title><p><strong>Глава 1</strong></p></title>\r\n",
             " <p>Он сказал: <strong>«Нет»</strong> и <emphasis>ушёл</emphasis>. Конец.</p>\r\n",
             "<td valign=\"top\"> <p>ячейка</p>",
         })
        EXPECT_NE(fb2.find(expected), std::string::npos) << expected << "\n" << fb2;
    EXPECT_EQ(fb2.find("Tahoma"), std::string::npos);
    EXPECT_EQ(fb2.find("Author"), std::string::npos);
    EXPECT_EQ(fb2.find("o:p"), std::string::npos);
}

// Every cut of the page (a file broken off anywhere) cleans and converts without fault; the
// tokenizer's reports reach the user.
TEST(WordExport, EveryPrefixCleansAndConverts)
{
    const std::string page = joined(kWordPage, true);
    NoPictures pictures;
    std::size_t reported = 0;
    for (std::size_t n = 0; n <= page.size(); ++n) {
        RecordingInteraction user;
        ConversionServices services{user, pictures, pictures};
        const std::string cleaned = normalizeSourceHtml(std::string_view(page).substr(0, n), n % 2 == 0, user);
        (void)writeBook(joinLinesCrLf(cleaned, false), ConversionOptions{}, services);
        reported += user.reports.size();
    }
    EXPECT_GT(reported, 0U);
}

}  // namespace
}  // namespace vellumar
