// vellumar-convert with tables turned into pictures.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "pictures/base64.h"
#include "pixels/png_codec.h"
#include "cli/convert_program.h"

namespace {

namespace fs = std::filesystem;

class TablePicturesCli : public vellumar::testing::ConvertProgramTest {
protected:
    int run(const std::string& args) { return ConvertProgramTest::run(args).status; }
    // The picture of one binary element of the book.
    vellumar::RgbImage picture(const std::string& fb2, const std::string& id)
    {
        const std::regex binary("<binary content-type=\"image/png\" id=\"" + id + "\">([^\r]*)\r\n</binary>");
        std::smatch match;
        if (!std::regex_search(fb2, match, binary)) throw std::runtime_error("no binary element " + id);
        return vellumar::decodePng(vellumar::decodeBase64(match[1].str()).value(), id);
    }
};

const std::string kTwoTables =
    "<html><body><p>a</p><table><tr><td>plain</td></tr></table>"
    "<table border=1><tr><td>framed</td><td>two</td></tr></table></body></html>";

TEST_F(TablePicturesCli, ImageModeEmbedsPicturesWithTheChosenBorders)
{
    write("book.html", kTwoTables);
    write("table1.png", "the user's own file");
    ASSERT_EQ(run("--tables image --border source book.html"), 0) << read(".stderr");
    const std::string fb2 = read("book.fb2");
    EXPECT_NE(fb2.find("<empty-line/>\r\n\r\n<image xlink:href=\"#table1.png\"/>\r\n"), std::string::npos);
    EXPECT_NE(fb2.find("<image xlink:href=\"#table2.png\"/>"), std::string::npos);
    const vellumar::RgbImage borderless = picture(fb2, "table1.png");
    const vellumar::RgbImage framed = picture(fb2, "table2.png");
    EXPECT_EQ(borderless.row(2)[2 * 3], 255);
    EXPECT_EQ(framed.row(2)[2 * 3], 0);
    EXPECT_EQ(read("table1.png"), "the user's own file");
    EXPECT_FALSE(fs::exists(m_dir / "table2.png"));

    ASSERT_EQ(run("--tables image --border visible book.html"), 0) << read(".stderr");
    EXPECT_EQ(picture(read("book.fb2"), "table1.png").row(2)[2 * 3], 0);
}

TEST_F(TablePicturesCli, SpanThatIsNotANumberIsReadAsBrowsersReadIt)
{
    write("book.html", "<html><body><table><tr><td colspan=\"2x\">a</td></tr><tr><td>b</td><td>c</td></tr></table>"
                       "<p>after</p></body></html>");
    ASSERT_EQ(run("--tables image book.html"), 0) << read(".stderr");
    EXPECT_NE(read(".stderr").find("warning: table1.png: table cell colspan=\"2x\" is not a whole number; read as 2"),
              std::string::npos);
    const std::string fb2 = read("book.fb2");
    EXPECT_NE(fb2.find("id=\"table1.png\""), std::string::npos);
    EXPECT_NE(fb2.find("<p>after</p>"), std::string::npos);
}

// One row of many empty cells and many one-cell rows: a grid of their product. The table is
// written as its text with a warning, and the book is made.
TEST_F(TablePicturesCli, TableTooLargeForAPictureIsWrittenAsItsText)
{
    std::string html = "<html><body><p>before</p><table><tr>";
    for (int i = 0; i < 3000; ++i) html += "<td>";
    html += "</tr>";
    for (int i = 0; i < 3000; ++i) html += "<tr><td>" + std::to_string(i) + "</td></tr>";
    write("book.html", html + "</table><p>after</p></body></html>");
    ASSERT_EQ(run("--tables image book.html"), 0) << read(".stderr");
    EXPECT_NE(read(".stderr").find("warning: table1.png: the table is too large to draw as a picture "
                                   "(3000 columns x 3001 rows); written as its text"),
              std::string::npos);
    const std::string fb2 = read("book.fb2");
    EXPECT_EQ(fb2.find("table1.png"), std::string::npos);
    // The cleaner put a line break, which the conversion straightens, after each row.
    EXPECT_NE(fb2.find("<p>before</p>\r\n 0 1 2 3"), std::string::npos);
    EXPECT_NE(fb2.find(" 2998 2999 <p>after</p>"), std::string::npos);
}

}  // namespace
