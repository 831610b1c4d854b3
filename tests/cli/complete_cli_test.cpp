// vellumar-convert --complete: the options of complete books and the books they make.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "checking/book_check.h"
#include "cli/convert_program.h"
#include "pixels/jpeg_codec.h"
#include "support/test_pictures.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

class CompleteCli : public testing::ConvertProgramTest {
protected:
    // Problems the schema finds in a book, empty when it is valid.
    static std::string schemaProblems(const std::string& book)
    {
        const BookCheckResult result =
            checkFb2Book(book, fs::path(VELLUMAR_SOURCE_DIR) / "data" / "schema" / "FictionBook.xsd");
        std::string text = result.wellFormed ? "" : "not well-formed; ";
        for (const BookProblem& problem : result.problems) text += problem.message + "; ";
        return text;
    }
};

TEST_F(CompleteCli, OptionsAreChecked)
{
    write("b.html", "<body>x");
    struct Row {
        std::string args;
        std::string message;  // part of the usage error
    };
    const Row rows[] = {
        {"--complete --genre novel b.html", "'novel' is not a genre of the FB2 genre list"},
        {"--genre sf b.html", "add --complete"},
        {"--cover c.jpg b.html", "add --complete"},
        {"--title-level 7 b.html", "auto"},
    };
    for (const Row& row : rows) {
        const testing::Outcome outcome = run(row.args);
        EXPECT_EQ(outcome.status, 2) << row.args;
        EXPECT_NE(outcome.err.find(row.message), std::string::npos) << row.args << "\n" << outcome.err;
    }
    EXPECT_FALSE(fs::exists(m_dir / "b.fb2"));
}

TEST_F(CompleteCli, WritesAValidBookWithGenreCoverAndNotes)
{
    write("doc/book.html",
          "<html lang=en><head><title>Tale</title><meta name=author content='Ann Lee'></head>"
          "<body><h1>One</h1><p>late<sup><a href='#f1' id=r1>1</a></sup></p><h1>Two</h1>"
          "<p>text</p><p id=f1><a href='#r1'>1</a> The note.</p></body></html>\n");
    writeJpeg(test::gradientPicture(40, 60), m_dir / "front.jpg");
    const testing::Outcome outcome = run("--complete --genre prose_classic --cover front.jpg -o out.fb2 doc/book.html");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string book = read("out.fb2");
    EXPECT_EQ(schemaProblems(book), "") << book;
    EXPECT_NE(book.find("<genre>prose_classic</genre>"), std::string::npos);
    EXPECT_NE(book.find("<book-title>Tale</book-title>"), std::string::npos);
    EXPECT_NE(book.find("<first-name>Ann</first-name>"), std::string::npos);
    // The cover's id is made from its path, as every picture's.
    const std::size_t cover = book.find("<coverpage><image xlink:href=\"#");
    ASSERT_NE(cover, std::string::npos) << book;
    EXPECT_NE(book.find("front.jpg\"/></coverpage>", cover), std::string::npos) << book;
    EXPECT_NE(book.find("<binary content-type=\"image/jpeg\" id=\"" +
                        book.substr(cover + 31, book.find('"', cover + 31) - cover - 31)),
              std::string::npos);
    EXPECT_NE(book.find("type=\"note\""), std::string::npos);
    EXPECT_NE(book.find("<body name=\"notes\">"), std::string::npos);
}

TEST_F(CompleteCli, AutomaticTitleLevelWithoutCompleteBooks)
{
    const std::string chapter(300, 'x');
    write("b.html", "<body><h3>One</h3>" + chapter + "<h3>Two</h3>" + chapter);
    ASSERT_EQ(run("--title-level auto -o auto.fb2 b.html").status, 0);
    ASSERT_EQ(run("--title-level 3 -o three.fb2 b.html").status, 0);
    EXPECT_EQ(read("auto.fb2"), read("three.fb2"));
}

}  // namespace
}  // namespace vellumar
