// Runs the real vellumar-convert program on files the tests write.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

class ConvertCli : public vellumar::testing::ConvertProgramTest {
protected:
    void TearDown() override { fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add); }
};

const std::string kBook =
    "<html><head><title>t</title></head><body>\n<h1>One</h1>\n<p>Tom &amp; Jerry &mdash; <b>bold</b></p>\n"
    "</body></html>\n";

TEST_F(ConvertCli, ConvertsBesideTheInput)
{
    write("book.html", kBook);
    const Outcome r = run("book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string fb2 = read(m_dir / "book.fb2");
    EXPECT_EQ(vellumar::testing::xmlProblem(fb2), "");
    // The cleaned source ends with the straightened line breaks after "</html>".
    EXPECT_TRUE(fb2.ends_with("</body>\r\n \r\n</FictionBook>\r\n"));
    EXPECT_NE(fb2.find("<p>Tom &amp; Jerry \x97 <strong>bold</strong></p>\r\n"), std::string::npos);
    EXPECT_EQ(fb2.find("\n\n"), std::string::npos);  // every line ends with CR LF
}

TEST_F(ConvertCli, BookInfoFlagsAndStdinToStdout)
{
    const Outcome r = run("--no-clean --title 'Белая ночь & Co' --last-name Эхо -", kBook);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" <book-title>\xc1\xe5\xeb\xe0\xff \xed\xee\xf7\xfc &amp; Co</book-title>"), std::string::npos);
    EXPECT_NE(r.out.find(" <first-name></first-name>\r\n <last-name>\xdd\xf5\xee</last-name>"), std::string::npos);
}

TEST_F(ConvertCli, ItemsAsJsonLines)
{
    const Outcome r = run("--no-clean --items -", "<html><P Class=x>\xc0&amp;</P><br/><!--c-->");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"kind\":\"tag\",\"name\":\"html\",\"text\":\"html\",\"params\":[]}\n"
              "{\"kind\":\"tag\",\"name\":\"P\",\"text\":\"P Class=x\",\"params\":[[\"Class\",\"x\"]]}\n"
              "{\"kind\":\"text\",\"text\":\"А&amp;\"}\n"
              "{\"kind\":\"tag\",\"name\":\"/P\",\"text\":\"/P\",\"params\":[]}\n"
              "{\"kind\":\"tag\",\"name\":\"br\",\"text\":\"br/\",\"params\":[]}\n"
              "{\"kind\":\"comment\",\"text\":\"c\"}\n");
}

TEST_F(ConvertCli, ErrorsNameTheFileAndOtherInputsGoOn)
{
    write("good.html", kBook);
    fs::create_directories(m_dir / "out" / "good.fb2");  // a folder where the book would go
    const Outcome r = run("-d out missing.html good.html");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("vellumar-convert: cannot read 'missing.html': No such file or directory\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("vellumar-convert: good.html: cannot write 'out/good.fb2'"), std::string::npos) << r.err;

    fs::remove(m_dir / "out" / "good.fb2");
    const Outcome ok = run("-d out missing.html good.html");
    EXPECT_EQ(ok.status, 1);
    EXPECT_TRUE(fs::exists(m_dir / "out" / "good.fb2"));
    EXPECT_NE(ok.err.find("[2/2] good.html -> good.fb2"), std::string::npos) << ok.err;
}

// -d makes its folder as `mkdir -p` does; a file in the way stops the run before any book.
TEST_F(ConvertCli, OutputFolderIsMadeWhenMissing)
{
    write("good.html", kBook);
    write("file", "");
    struct Case {
        std::string folder;
        int status;
        std::string err;  // empty: the book is written into the folder
    };
    const Case cases[] = {
        {"new", 0, ""},
        {"deep/er/still", 0, ""},
        {"deep/er", 0, ""},  // already there
        {"deep/er/still/", 0, ""},
        {"file", 1, "vellumar-convert: cannot make the output folder 'file': a file is in the way\n"},
        {"file/below", 1, "vellumar-convert: cannot make the output folder 'file/below': a file is in the way\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const Outcome r = run("-q -d " + c.folder + " good.html");
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(fs::is_regular_file(m_dir / c.folder / "good.fb2"), c.err.empty());
    }
    EXPECT_FALSE(fs::exists(m_dir / "good.fb2"));
    EXPECT_EQ(read("file"), "");
}

TEST_F(ConvertCli, UnwritableOutputLeavesOldFileAlone)
{
    write("book.html", kBook);
    write("book.fb2", "precious");
    fs::permissions(m_dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Outcome r = run("book.html");
    fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
    if (::geteuid() != 0) {  // root writes anywhere
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("book.fb2"), std::string::npos) << r.err;
        EXPECT_EQ(read(m_dir / "book.fb2"), "precious");
    }
    const Outcome same = run("-o book.html book.html");
    EXPECT_EQ(same.status, 1);
    EXPECT_NE(same.err.find("would overwrite the input"), std::string::npos) << same.err;
    EXPECT_EQ(read(m_dir / "book.html"), kBook);
}

TEST_F(ConvertCli, UsageErrors)
{
    struct Case {
        const char* args;
        const char* mentions;
    };
    const Case cases[] = {
        {"--tables pictures x.html", "--tables"},
        {"--title-level 7 x.html", "--title-level"},
        {"--no-such-flag x.html", "--no-such-flag"},
        {"", "INPUT"},
        {"-o a.fb2 x.html y.html", "--output"},
        {"--max-width wide x.html", "--max-width"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(run("--help").status, 0);
    EXPECT_NE(run("--version").out.find("1.0.14"), std::string::npos);
}

TEST_F(ConvertCli, WarningsGoToStandardError)
{
    const Outcome r = run("--no-clean -o - -", "<html><a =x>y</a><p");
    EXPECT_EQ(r.status, 0);
    // Each names the program and the INPUT it comes from.
    for (const char* warning : {"key not defined in tag: <a =x>\n", "> not found: <p\n", "no <body> tag found"})
        EXPECT_NE(r.err.find(std::string("vellumar-convert: standard input: warning: ") + warning), std::string::npos)
            << r.err;
    EXPECT_EQ(run("-q --no-clean -o - -", "<html><p").err, "");
    EXPECT_EQ(run("--no-clean -", "").status, 1);  // nothing to convert
}

TEST_F(ConvertCli, EncodingsOfTheSource)
{
    write("u.html", "<html><body><p>Щука — “α”</p></body></html>");
    write("k.html", "<html><head><meta charset=koi8-r></head><body><p>\xf3</p></body></html>");
    const Outcome r = run("u.html k.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(read(m_dir / "u.fb2").find("<p>\xd9\xf3\xea\xe0 \x97 \x93&#945;\x94</p>"), std::string::npos);
    EXPECT_NE(read(m_dir / "k.fb2").find("<p>\xd1</p>"), std::string::npos);
    const Outcome bad = run("--encoding klingon u.html");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("klingon"), std::string::npos);
}

}  // namespace
