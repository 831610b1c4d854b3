// vellumar-convert cleans its INPUTs by default, and names a book after its title.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/convert_program.h"
#include "support/xml_check.h"

namespace {

namespace fs = std::filesystem;

using vellumar::testing::Outcome;

class CleaningCli : public vellumar::testing::ConvertProgramTest {
protected:
    void SetUp() override
    {
        ConvertProgramTest::SetUp();
        fs::create_directories(m_dir / "in");
    }
};

// A word-processor page: a style sheet in a comment, classes, span and font wrappers, o:p.
const std::string kWordPage =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\">\n"
    "<head><meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\n"
    "<style>\n<!--\n p.MsoNormal\n\t{margin:0cm;\n\tfont-size:12.0pt;}\n"
    "p.Heading, li.Heading\n\t{font-weight:bold;\n\tfont-style:italic;}\n-->\n</style></head>\n"
    "<body lang=RU>\n<div class=Section1>\n"
    "<p class=Heading><span lang=EN-US>Chapter</span></p>\n"
    "<p class=MsoNormal><span style='font-size:14.0pt'>Plain <font face=Arial>text</font></span><o:p></o:p></p>\n"
    "</div>\n</body>\n</html>\n";

TEST_F(CleaningCli, CleansByDefault)
{
    write("in/page.html", kWordPage);
    const Outcome r = run("in/page.html");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string fb2 = read(m_dir / "in" / "page.fb2");
    EXPECT_EQ(vellumar::testing::xmlProblem(fb2), "");
    EXPECT_NE(fb2.find("<p><strong><emphasis>Chapter</emphasis></strong></p>"), std::string::npos) << fb2;
    EXPECT_NE(fb2.find("<p>Plain text</p>"), std::string::npos) << fb2;
    EXPECT_EQ(fb2.find("font-size"), std::string::npos);

    const Outcome raw = run("--no-clean -o - in/page.html");
    ASSERT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(raw.out.find("<strong><emphasis>Chapter"), std::string::npos) << raw.out;
}

TEST_F(CleaningCli, CleanOnlyWritesTheCleanedSource)
{
    const Outcome r = run("--clean-only -", "<html><P CLASS=x ALIGN=center>\xc0\r\nb<BR/></P><!-- c -->\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "<html>\r\n<p>\xc0  b\r\n<br></p>  \r\n");

    const Outcome kept = run("--clean-only --no-straighten -", "<html><p>a\nb</p>");
    EXPECT_EQ(kept.out, "<html>\r\n<p>a\r\nb</p>\r\n");

    write("in/page.html", kWordPage);
    ASSERT_EQ(run("--clean-only -o in/clean.html in/page.html").status, 0);
    EXPECT_NE(read(m_dir / "in" / "clean.html").find("\r\n<p><b><i>Chapter</i></b></p>"), std::string::npos);

    const Outcome both = run("--clean-only --no-clean in/page.html");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--no-clean"), std::string::npos);
}

TEST_F(CleaningCli, ItemsListTheCleanedText)
{
    const std::string page = "<html><P Class=x>a</P><!--c-->";
    const Outcome r = run("--items -", page);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"kind\":\"tag\",\"name\":\"html\",\"text\":\"html\",\"params\":[]}\n"
              "{\"kind\":\"text\",\"text\":\"\\r\\n\"}\n"
              "{\"kind\":\"tag\",\"name\":\"p\",\"text\":\"p\",\"params\":[]}\n"
              "{\"kind\":\"text\",\"text\":\"a\"}\n"
              "{\"kind\":\"tag\",\"name\":\"/p\",\"text\":\"/p\",\"params\":[]}\n"
              "{\"kind\":\"text\",\"text\":\"  \"}\n");
    const Outcome raw = run("--items --no-clean -", page);
    EXPECT_NE(raw.out.find("\"name\":\"P\""), std::string::npos) << raw.out;
    EXPECT_NE(raw.out.find("\"kind\":\"comment\""), std::string::npos) << raw.out;
}

TEST_F(CleaningCli, TitleNamesTheBookInTheInputsFolder)
{
    write("in/page.html", kWordPage);
    const Outcome r = run("--title 'Белая ночь' --first-name Щука --last-name Эхо in/page.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(m_dir / "in" / "belaja_noch-shuka_eho.fb2"));
    EXPECT_FALSE(fs::exists(m_dir / "in" / "page.fb2"));

    ASSERT_EQ(run("--title '1/2 Vol. 3' in/page.html").status, 0);
    EXPECT_TRUE(fs::exists(m_dir / "in" / "1_2_vol.fb2"));

    ASSERT_EQ(run("--title 'My Book' -o named.fb2 in/page.html").status, 0);
    EXPECT_TRUE(fs::exists(m_dir / "named.fb2"));
    EXPECT_FALSE(fs::exists(m_dir / "in" / "my_book.fb2"));

    // Without a title the name stays the INPUT's.
    ASSERT_EQ(run("--first-name Ann in/page.html").status, 0);
    EXPECT_TRUE(fs::exists(m_dir / "in" / "page.fb2"));
}

TEST_F(CleaningCli, BooksOfOneRunNeverOverwriteEachOther)
{
    write("in/a.html", kWordPage);
    write("in/b.html", kWordPage);
    const Outcome r = run("--title Same in/a.html in/b.html");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("would overwrite"), std::string::npos) << r.err;
    EXPECT_NE(read(m_dir / "in" / "same.fb2").find("<book-title>Same</book-title>"), std::string::npos);

    // In the current folder too; the progress lines name the books the titles propose.
    write("a.html", kWordPage);
    write("b.html", "<html><body><p>b</p></body></html>");
    const Outcome here = run("--title Same a.html b.html");
    EXPECT_EQ(here.status, 1);
    EXPECT_NE(here.err.find("[1/2] a.html -> same.fb2\n"), std::string::npos) << here.err;
    EXPECT_NE(here.err.find("[2/2] b.html -> same.fb2\nvellumar-convert: b.html: the output 'same.fb2' would overwrite"),
              std::string::npos) << here.err;
    EXPECT_NE(read("same.fb2").find("Chapter"), std::string::npos);
}

}  // namespace
