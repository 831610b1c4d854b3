// The pipeline as the window and the command line call it: loading a source, converting it.

#include "pipeline/pipeline.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>

#include "cleaning/recording_interaction.h"
#include "files/temp_folder.h"
#include "support/test_pictures.h"

namespace vellumar {
namespace {

struct LoadCase {
    const char* name;
    std::string bytes;
    LoadOptions load;
    std::string text;  // LoadedSource::text
};

class Pipeline : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& name, const std::string& bytes)
    {
        const std::filesystem::path path = m_folder.path() / name;
        std::filesystem::create_directories(path.parent_path());
        test::writeBytes(path, bytes);
        return path;
    }

    TempFolder m_folder;
    testing::RecordingInteraction m_user;
    ConversionOptions m_options;
};

TEST_F(Pipeline, LoadsAFileAsTheSourcePageShowsIt)
{
    const LoadCase cases[] = {
        {"utf8 cleaned", "<HTML><Body><P Class=x>\xd0\xa9\xd1\x83\xd0\xba\xd0\xb0</P></body></html>", LoadOptions{},
         "<html>\r\n<body>\r\n<p>\xd9\xf3\xea\xe0</p>\r\n</body>\r\n</html>  \r\n"},  // a straightened last break
        {"as typed", "<P>a\nb</P>\r\n\r\n", LoadOptions{"auto", false}, "<P>a\r\nb</P>\r\n\r\n"},
        {"named encoding", "<p>\xf3</p>", LoadOptions{"koi8-r", false}, "<p>\xd1</p>\r\n"},
    };
    for (const LoadCase& c : cases) {
        const std::filesystem::path path = write("in/page.html", c.bytes);
        const LoadedSource source = loadSource(SourceFile{path}, c.load, m_options, m_user);
        EXPECT_EQ(source.text, c.text) << c.name;
        EXPECT_EQ(source.folder, path.parent_path()) << c.name;
        EXPECT_EQ(source.name, path.string()) << c.name;
    }
    // The editor's text has no line break after its last line.
    const LoadedSource typed = loadSource(SourceFile{write("t.html", "<p>a\n\n")}, LoadOptions{"auto", false},
                                          m_options, m_user);
    EXPECT_EQ(typed.editorText(), "<p>a\r\n");
    EXPECT_EQ(LoadedSource(typed).takeEditorText(), typed.editorText());
}

TEST_F(Pipeline, ReadingProblemsNameTheSource)
{
    const std::filesystem::path missing = m_folder.path() / "missing.html";
    try {
        loadSource(SourceFile{missing}, LoadOptions{}, m_options, m_user);
        FAIL() << "a missing file was read";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.html"), std::string::npos) << e.what();
    }
    const std::filesystem::path big = write("big.html", std::string(100, 'x'));
    EXPECT_THROW(readSource(SourceFile{big}, 99), FileError);
    EXPECT_EQ(readSource(SourceFile{big}, 100).size(), 100u);

    loadSource(SourceFile{write("odd.html", "<meta charset=klingon><p>x</p>")}, LoadOptions{}, m_options, m_user);
    ASSERT_EQ(m_user.warnings.size(), 1u);
    // The front ends put the source's name before it.
    EXPECT_EQ(m_user.warnings[0], "unknown character set 'klingon' in <meta> ignored");
    EXPECT_EQ(SourceFile::fromStandardInput().displayName(), "standard input");
    EXPECT_EQ(SourceFile::fromStandardInput().folder(), std::filesystem::path());
}

TEST_F(Pipeline, ConvertsWithPicturesFromTheSourcesFolder)
{
    write("doc/pics/a.png", test::pngBytes(4, 3, PNG_FORMAT_RGB, 0xff0000ff));
    const std::filesystem::path page = write("doc/book.html", "<html><body><p><img src=\"pics/a.png\"></p></body></html>");
    const LoadedSource source = loadSource(SourceFile{page}, LoadOptions{}, m_options, m_user);
    const std::optional<Fb2Document> book = convertSource(source.editorText(), m_options, source.folder, m_user);
    ASSERT_TRUE(book);
    EXPECT_NE(book->text().find("<image xlink:href=\"#a.png\"/>"), std::string::npos);
    EXPECT_NE(book->text().find("<binary content-type=\"image/png\" id=\"a.png\">"), std::string::npos);
    EXPECT_TRUE(book->bodySeen);
    EXPECT_FALSE(book->proposedFileName);

    // From another folder the picture is not found, and the user is told.
    const std::optional<Fb2Document> elsewhere =
        convertSource(source.editorText(), m_options, m_folder.path(), m_user);
    EXPECT_EQ(elsewhere->text().find("<binary"), std::string::npos);
    EXPECT_FALSE(m_user.warnings.empty());
}

// The item list escapes what JSON must and decodes windows-1251; problems reach the user.
TEST_F(Pipeline, ListsTheItemsOfASourceText)
{
    EXPECT_EQ(sourceItemList("<html><%=a%>\"\\\t\r\n\x01\xc0<p", m_user),
              "{\"kind\":\"tag\",\"name\":\"html\",\"text\":\"html\",\"params\":[]}\n"
              "{\"kind\":\"script\",\"text\":\"=a\"}\n"
              "{\"kind\":\"text\",\"text\":\"\\\"\\\\\\t\\r\\n\\u0001\xd0\x90\"}\n");
    ASSERT_EQ(m_user.reports.size(), 1u);
    EXPECT_EQ(m_user.reports[0].first, "> not found");
    EXPECT_EQ(sourceItemList("", m_user), "");
}

TEST_F(Pipeline, TheAnswersProposeTheBooksName)
{
    m_user.answers = BookInfoAnswers{"My Book", "Ann", "Hale"};
    const std::optional<Fb2Document> book = convertSource("<html><body><p>x</p></body></html>", m_options, {}, m_user);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->proposedFileName, "my_book-ann_hale.fb2");
    EXPECT_NE(book->text().find("<book-title>My Book</book-title>"), std::string::npos);

    EXPECT_FALSE(convertSource("", m_options, {}, m_user));  // no items, no book
}

TEST_F(Pipeline, TheConversionKeepsItsOwnOptions)
{
    // The options are a temporary that is gone before the tables are drawn.
    const std::optional<Fb2Document> book = convertSource(
        "<html><body><table border=1><tr><td>a</td></tr></table></body></html>",
        ConversionOptions{.tableMode = TableMode::ConvertToImage}, {}, m_user);
    ASSERT_TRUE(book);
    EXPECT_NE(book->text().find("id=\"table1.png\""), std::string::npos);
}

}  // namespace
}  // namespace vellumar
