// vellumar-convert given what careless users and attackers give it: unreadable standard input,
// special and long output names, missing pictures, references and labels that browsers accept.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/convert_program.h"
#include "support/xml_check.h"

namespace {

namespace fs = std::filesystem;

using vellumar::testing::Outcome;

class HostileInputsCli : public vellumar::testing::ConvertProgramTest {
protected:
    // Runs a whole shell command line in the test's folder; "convert" stands for the program.
    Outcome shell(const std::string& line)
    {
        const std::string cmd = "cd '" + m_dir.string() + "' && " + line + " >.stdout 2>.stderr";
        const int raw = std::system(cmd.c_str());
        return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(".stdout"), read(".stderr")};
    }
    const std::string m_program = "'" VELLUMAR_CONVERT_PATH "'";
};

const std::string kBook = "<html><body><p>Text &#X41;&#150;&#x97;</p></body></html>";

TEST_F(HostileInputsCli, StandardInputThatCannotBeReadSaysSo)
{
    struct Case {
        std::string redirection;
        std::string message;
    };
    const Case cases[] = {
        {"<&-", "vellumar-convert: cannot read standard input: Bad file descriptor"},
        {"< .", "vellumar-convert: cannot read standard input: Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.redirection);
        const Outcome r = shell(m_program + " - " + c.redirection);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("nothing to convert"), std::string::npos) << r.err;
    }
}

TEST_F(HostileInputsCli, FifoOutputIsWrittenIntoAndKept)
{
    write("book.html", kBook);
    ASSERT_EQ(::mkfifo((m_dir / "out.fb2").c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] { got = read("out.fb2"); });
    const Outcome r = run("-o out.fb2 book.html");
    reader.join();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(vellumar::testing::xmlProblem(got), "");
    struct stat info {};
    ASSERT_EQ(::stat((m_dir / "out.fb2").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// An endless standard input is read to the limit and no further, in memory near the limit:
// under an address-space cap of half as much again the run ends with the limit's message, not
// out of memory. (A sanitizer's shadow memory needs more address space than any cap allows.)
TEST_F(HostileInputsCli, EndlessStandardInputStaysNearTheLimit)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "address-space caps do not fit a sanitizer build";
#endif
    const Outcome r = shell("ulimit -v " + std::to_string((std::size_t{3} << 30) / 2 / 1024) + " && " + m_program +
                            " -q - < /dev/zero");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("vellumar-convert: cannot read standard input: it is larger than 1073741824 bytes"),
              std::string::npos)
        << r.err;
}

// A FIFO or link planted at the name the program gives a book (beside its source, in the -d
// folder) is neither waited on nor written into: the user named no such thing.
TEST_F(HostileInputsCli, FifoAtADerivedNameIsRefusedNotWaitedFor)
{
    write("book.html", kBook);
    fs::create_directory(m_dir / "out");
    for (const char* planted : {"book.fb2", "out/book.fb2"}) {
        SCOPED_TRACE(planted);
        ASSERT_EQ(::mkfifo((m_dir / planted).c_str(), 0600), 0);
        const Outcome r = run(std::string(planted).starts_with("out/") ? "-d out book.html" : "book.html");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(std::string(planted) + "': it is a FIFO, which is written only when named"),
                  std::string::npos)
            << r.err;
        struct stat info {};
        ASSERT_EQ(::lstat((m_dir / planted).c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
    }
}

// "&#X41;" is written as XML reads it; &#150; and &#x97; are the en and em dash.
TEST_F(HostileInputsCli, ReferencesAsBrowsersReadThem)
{
    write("book.html", kBook);
    const Outcome r = run("book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string fb2 = read("book.fb2");
    EXPECT_EQ(vellumar::testing::xmlProblem(fb2), "");
    EXPECT_NE(fb2.find("<p>Text &#x41;\x96\x97</p>"), std::string::npos);
}

TEST_F(HostileInputsCli, LongNamesAreWrittenAndProposedNamesCut)
{
    write("book.html", kBook);
    const std::string longName = std::string(251, 'n') + ".fb2";
    Outcome r = run("-o " + longName + " book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(vellumar::testing::xmlProblem(read(longName)), "");

    r = run("--title '" + std::string(400, 't') + "' book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(m_dir / (std::string(251, 't') + ".fb2")));
    // A title with letters windows-1251 lacks proposes a name of plain letters.
    r = run("--title 'Café Noir' --first-name Zoë book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(m_dir / "cafe_noir-zoe.fb2"));
}

TEST_F(HostileInputsCli, MissingPicturesAndUnknownLabelsAreWarnedAbout)
{
    write("book.html", "<html><head><meta charset=\"x-foo\"></head><body><p>Ё<img src=\"gone.png\"></p></body></html>");
    const Outcome r = run("book.html");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("book.html: warning: unknown character set 'x-foo' in <meta> ignored"), std::string::npos)
        << r.err;
    // The path tried is the src taken from the INPUT's folder, here the current one.
    EXPECT_NE(r.err.find("warning: picture 'gone.png' left out: no file gone.png"), std::string::npos) << r.err;
    EXPECT_NE(read("book.fb2").find("<p>\xa8</p>"), std::string::npos);  // read as UTF-8

    write("page.html", "<html><head><meta charset=\"utf-16\"></head><body><p>Ё</p></body></html>");
    EXPECT_EQ(run("page.html").status, 0);
    EXPECT_NE(read("page.fb2").find("<p>\xa8</p>"), std::string::npos);
}

}  // namespace
