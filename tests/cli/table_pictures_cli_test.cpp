// vellumar-convert with tables turned into pictures.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "images/base64.h"
#include "images/png_codec.h"
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
        return vellumar::DecodePng(vellumar::DecodeBase64(match[1].str()).value(), id);
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

TEST_F(TablePicturesCli, SpanThatIsNotANumberFailsTheInput)
{
    write("book.html", "<html><body><table><tr><td rowspan=\"2x\">a</td></tr></table></body></html>");
    EXPECT_EQ(run("--tables image book.html"), 1);
    EXPECT_NE(read(".stderr").find("book.html: '2x' is not a valid integer value"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_dir / "book.fb2"));
    // The other modes never read span values.
    EXPECT_EQ(run("--tables asis book.html"), 0);
}

}  // namespace
