// vellumar-convert --check: problems with their lines, and the exit status of a book that is not
// well-formed.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vellumar::testing
