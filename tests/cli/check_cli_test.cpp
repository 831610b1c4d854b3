// vellumar-convert --check: problems with their lines, and the exit status of a book that is not
// well-formed.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "convert_program.h"

namespace vellumar::testing {
namespace {

class CheckCliTest : public ConvertProgramTest {};

const char* const kHead =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
    "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n"
    "<description>\r\n"
    "<title-info>\r\n"
    " <book-title>T</book-title>\r\n"
    " <lang>ru</lang>\r\n"
    "</title-info>\r\n"
    "<document-info><author><nickname>n</nickname></author><date/><id>1</id><version>1</version></document-info>\r\n"
    "</description>\r\n";

TEST_F(CheckCliTest, ConvertedBookIsWellFormedWithTheTwoHeaderWarnings)
{
    write("book.html", "<html><body><h1>Title</h1><p>Some text.</p></body></html>");
    ASSERT_EQ(run("-q book.html").status, 0);
    const Outcome outcome = run("--check book.fb2");
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    EXPECT_NE(outcome.out.find("book.fb2:4: warning: title-info has no genre"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("book.fb2:4: warning: title-info has no author"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("book.fb2: well-formed, valid FB2, 0 errors, 2 warnings"), std::string::npos)
        << outcome.out;
}

TEST_F(CheckCliTest, NotWellFormedBookFailsWithItsLine)
{
    write("broken.fb2", std::string(kHead) + "<body><section><p>one\r\n</section></body></FictionBook>\r\n");
    write("good.fb2", std::string(kHead) + "<body><section><p>one</p></section></body></FictionBook>\r\n");
    const Outcome outcome = run("--check good.fb2 broken.fb2");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("broken.fb2:11: error: "), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("broken.fb2: not well-formed XML"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("good.fb2: well-formed"), std::string::npos) << outcome.out;
}

TEST_F(CheckCliTest, MissingBookIsNamedAndFails)
{
    const Outcome outcome = run("--check missing.fb2");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("missing.fb2"), std::string::npos) << outcome.err;
    EXPECT_EQ(run("--check -o x.fb2 a.fb2").status, 2);
}

const char* const kValidHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<FictionBook xmlns:l=\"http://www.w3.org/1999/xlink\" xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\n"
    "<description><title-info><genre>prose_classic</genre><author><nickname>n</nickname></author>"
    "<book-title>T</book-title><lang>ru</lang></title-info>\n"
    "<document-info><author><nickname>n</nickname></author><date/><id>1</id><version>1</version></document-info>"
    "</description>\n";

// A DTD of `count` entities, each naming the one before ten times.
std::string nestedEntities(int count)
{
    std::string dtd = "<!DOCTYPE FictionBook [\n<!ENTITY e0 \"ha\">\n";
    for (int i = 1; i < count; ++i) {
        dtd += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) dtd += "&e" + std::to_string(i - 1) + ";";
        dtd += "\">\n";
    }
    return dtd + "]>\n";
}

std::string withDtd(const std::string& dtd, const std::string& body)
{
    std::string book = kValidHead;
    book.insert(book.find('\n') + 1, dtd);
    return book + body + "</FictionBook>\n";
}

// Books that strain the parser: a picture larger than its usual limit on a text, entities
// that multiply, more entities than a book needs. Whatever comes, the problems are lines of the
// report, with nothing of libxml2's own on standard error.
TEST_F(CheckCliTest, LargeAndEntityLadenBooksAreCheckedWithinBounds)
{
    const std::string picture =
        "<binary id=\"a.png\" content-type=\"image/png\">" + std::string((12 << 20) / 4 * 4, 'Q') + "</binary>\n";
    std::string manyEntities = "<!DOCTYPE FictionBook [\n";
    for (int i = 0; i < 40; ++i) manyEntities += "<!ENTITY x" + std::to_string(i) + " \"x\">\n";
    manyEntities += "]>\n";
    const struct {
        const char* name;
        std::string book;
        int status;
        const char* report;
    } cases[] = {
        {"a large picture before a mismatch",
         std::string(kValidHead) + "<body><section><p>x</p></section></body>\n" + picture + "<section></p>\n", 1,
         "book.fb2:7: error: Opening and ending tag mismatch: section line 7 and p"},
        {"a large picture, valid",
         std::string(kValidHead) + "<body><section><p>x</p></section></body>\n" + picture + "</FictionBook>\n", 0,
         "book.fb2: well-formed, valid FB2, 0 errors, 0 warnings"},
        {"entities that multiply", withDtd(nestedEntities(10), "<body><section><p>&e9;</p></section></body>"), 1,
         "book.fb2:0: error: the book's entities would make it larger than 1048576 bytes"},
        {"more entities than a book needs", withDtd(manyEntities, "<body><section><p>&x1;</p></section></body>"), 1,
         "book.fb2:0: error: the book's DTD declares 40 entities, more than 32"},
        {"a few entities, replaced before the schema looks",
         withDtd(nestedEntities(2), "<body><section>&e1;<p>x</p></section></body>"), 0,
         "book.fb2: well-formed, not valid FB2, 1 error, 0 warnings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write("book.fb2", c.book);
        const Outcome outcome = run("--check book.fb2");
        EXPECT_EQ(outcome.status, c.status) << outcome.out;
        EXPECT_NE(outcome.out.find(c.report), std::string::npos) << outcome.out.substr(0, 2000);
        EXPECT_EQ(outcome.err, "");
        std::size_t start = 0;
        for (std::size_t end = outcome.out.find('\n'); end != std::string::npos;
             start = end + 1, end = outcome.out.find('\n', start))
            EXPECT_TRUE(outcome.out.compare(start, 9, "book.fb2:") == 0) << outcome.out.substr(start, end - start);
    }
}

// A report that cannot be written is a failed run.
TEST_F(CheckCliTest, AReportThatCannotBeWrittenFails)
{
    write("book.fb2", std::string(kValidHead) + "<body><section><p>x</p></section></body></FictionBook>\n");
    for (const char* args : {"--check book.fb2", "--help", "--version"}) {
        SCOPED_TRACE(args);
        const std::string line =
            "cd '" + m_dir.string() + "' && '" VELLUMAR_CONVERT_PATH "' " + args + " >/dev/full 2>/dev/null";
        const int raw = std::system(line.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1);
    }
}

}  // namespace
}  // namespace vellumar::testing
