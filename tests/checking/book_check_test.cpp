// The FB2 check: well-formedness with the lines of the problems, validity against the shipped
// FictionBook 2.0 schema, and the missing title-info genre and author as warnings of their own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "checking/book_check.h"

namespace vellumar {
namespace {

const std::filesystem::path kSchema = std::filesystem::path(VELLUMAR_DATA_DIR) / "schema" / "FictionBook.xsd";

// A book whose title-info holds `titleInfo` and whose one section holds `section`, each line
// ended by CR LF as the editor gives it. The title-info element is on line 4; the section's
// content starts on line 17, or 19 with a genre line and an author line.
std::string book(const std::string& titleInfo, const std::string& section)
{
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
           "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n"
           "<description>\r\n"
           "<title-info>\r\n" +
           titleInfo +
           " <book-title>Book Title</book-title>\r\n"
           " <lang>ru</lang>\r\n"
           "</title-info>\r\n"
           "<document-info>\r\n"
           " <author><first-name>First Name</first-name><last-name>Last Name</last-name></author>\r\n"
           " <date></date>\r\n"
           " <id></id>\r\n"
           " <version>1.0</version>\r\n"
           "</document-info>\r\n"
           "</description>\r\n"
           "<body>\r\n"
           "<section>\r\n" +
           section +
           "</section>\r\n"
           "</body>\r\n"
           "</FictionBook>\r\n";
}

const std::string kGenre = " <genre>prose_classic</genre>\r\n";
const std::string kAuthor = " <author><first-name>Anna</first-name><last-name>Lee</last-name></author>\r\n";

std::vector<int> linesOf(const BookCheckResult& result, ProblemSeverity severity)
{
    std::vector<int> lines;
    for (const BookProblem& problem : result.problems)
        if (problem.severity == severity) lines.push_back(problem.line);
    return lines;
}

TEST(BookCheck, CompleteBookHasNoProblems)
{
    // Cyrillic bytes of windows-1251, as the converter writes them.
    const BookCheckResult result =
        checkFb2Book(book(kGenre + kAuthor, "<p>\xCF\xF0\xE8\xE2\xE5\xF2 <emphasis>x</emphasis></p>\r\n"), kSchema);
    EXPECT_TRUE(result.wellFormed);
    EXPECT_TRUE(result.schemaChecked);
    for (const BookProblem& problem : result.problems) ADD_FAILURE() << problem.line << ": " << problem.message;
}

// Tables as the current FictionBook 2.0 schema allows them: header cells, cells spanning
// columns and rows, aligned cells; a cell attribute the schema lacks is still an error.
TEST(BookCheck, TablesWithHeaderCellsAndSpansAreValid)
{
    struct Case {
        const char* table;
        bool valid;
    };
    const Case cases[] = {
        {"<table><tr><th>Head</th><th align=\"center\">Other</th></tr><tr><td>a</td><td>b</td></tr></table>", true},
        {"<table><tr><td colspan=\"2\" align=\"right\">wide</td></tr><tr><td rowspan=\"2\" valign=\"top\">tall</td>"
         "<td>b</td></tr><tr><td>c</td></tr></table>",
         true},
        {"<table><tr><th rowspan=\"2\" valign=\"middle\">h</th><td>x</td></tr><tr><td>y</td></tr></table>", true},
        {"<table><tr><td width=\"5\">a</td></tr></table>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const BookCheckResult result = checkFb2Book(book(kGenre + kAuthor, std::string(c.table) + "\r\n"), kSchema);
        EXPECT_TRUE(result.schemaChecked);
        EXPECT_EQ(linesOf(result, ProblemSeverity::Error).empty(), c.valid);
        if (c.valid) {
            for (const BookProblem& problem : result.problems) ADD_FAILURE() << problem.line << ": " << problem.message;
        }
    }
}

TEST(BookCheck, MissingGenreAndAuthorAreWarningsOfTheirOwn)
{
    struct Case {
        const char* name;
        std::string titleInfo;
        std::vector<std::string> warnings;  // words each warning holds, in order
    };
    const Case cases[] = {
        {"neither (the converter's header)", "", {"no genre", "no author"}},
        {"no genre", kAuthor, {"no genre"}},
        {"no author", kGenre, {"no author"}},
        {"both", kGenre + kAuthor, {}},
        {"nickname author", kGenre + " <author><nickname>Nick</nickname></author>\r\n", {}},
    };
    for (const Case& c : cases) {
        const BookCheckResult result = checkFb2Book(book(c.titleInfo, "<p>text</p>\r\n"), kSchema);
        EXPECT_TRUE(result.wellFormed) << c.name;
        EXPECT_TRUE(linesOf(result, ProblemSeverity::Error).empty()) << c.name << ": " << result.problems.front().message;
        ASSERT_EQ(result.problems.size(), c.warnings.size()) << c.name;
        for (std::size_t i = 0; i < c.warnings.size(); ++i) {
            EXPECT_EQ(result.problems[i].line, 4) << c.name;
            EXPECT_NE(result.problems[i].message.find(c.warnings[i]), std::string::npos) << result.problems[i].message;
        }
    }
}

TEST(BookCheck, BrokenBooksNameTheLineOfTheirProblem)
{
    struct Case {
        const char* name;
        std::string text;
        int line;
        const char* words;  // in the first problem's message
    };
    const Case cases[] = {
        {"mismatched end tag", book(kGenre + kAuthor, "<p>one</p>\r\n<p>two</emphasis>\r\n"), 20, "mismatch"},
        {"unclosed section", book(kGenre + kAuthor, "<p>one</p>\r\n").substr(0, 400), 0, ""},
        {"bad entity", book(kGenre + kAuthor, "<p>a &nbsp; b</p>\r\n"), 19, "nbsp"},
        {"not XML", "just some words", 1, ""},
        {"empty", "", 0, ""},
    };
    for (const Case& c : cases) {
        const BookCheckResult result = checkFb2Book(c.text, kSchema);
        EXPECT_FALSE(result.wellFormed) << c.name;
        EXPECT_FALSE(result.schemaChecked) << c.name;
        ASSERT_FALSE(result.problems.empty()) << c.name;
        EXPECT_EQ(result.problems.front().severity, ProblemSeverity::Error) << c.name;
        if (c.line > 0) {
            EXPECT_EQ(result.problems.front().line, c.line) << c.name << ": " << result.problems.front().message;
        }
        EXPECT_NE(result.problems.front().message.find(c.words), std::string::npos) << result.problems.front().message;
    }
}

TEST(BookCheck, SchemaErrorsCarryTheirLinesWithoutTheNamespace)
{
    // Line 20: a paragraph inside a subtitle's paragraph; line 22: an unknown element.
    const BookCheckResult result = checkFb2Book(
        book(kGenre + kAuthor, "<p>one</p>\r\n<subtitle><p>two</p></subtitle>\r\n<p>three</p>\r\n<frame/>\r\n"), kSchema);
    EXPECT_TRUE(result.wellFormed);
    EXPECT_TRUE(result.schemaChecked);
    EXPECT_EQ(linesOf(result, ProblemSeverity::Error), (std::vector<int>{20, 22}));
    for (const BookProblem& problem : result.problems)
        EXPECT_EQ(problem.message.find("gribuser"), std::string::npos) << problem.message;
}

TEST(BookCheck, MissingSchemaStillChecksWellFormedness)
{
    const BookCheckResult result = checkFb2Book(book(kGenre + kAuthor, "<p>x</p>\r\n"), "/nonexistent/FictionBook.xsd");
    EXPECT_TRUE(result.wellFormed);
    EXPECT_FALSE(result.schemaChecked);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].line, 0);
    EXPECT_NE(result.problems[0].message.find("/nonexistent/FictionBook.xsd"), std::string::npos);
}

TEST(BookCheck, SchemaIsFoundBesideTheProgramOrWhereItIsInstalled)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "vellumar-schema-lookup";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share" / "vellumar" / "schema");
    { std::ofstream(root / "share" / "vellumar" / "schema" / "FictionBook.xsd") << "x"; }
    EXPECT_EQ(findFb2Schema(root / "bin"), root / "share" / "vellumar" / "schema" / "FictionBook.xsd");
    std::filesystem::create_directories(root / "bin" / "schema");
    { std::ofstream(root / "bin" / "schema" / "FictionBook.xsd") << "x"; }
    EXPECT_EQ(findFb2Schema(root / "bin"), root / "bin" / "schema" / "FictionBook.xsd");
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace vellumar
