#include "tables/table_picture_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pictures/base64.h"
#include "pixels/picture_error.h"
#include "pixels/png_codec.h"
#include "support/test_pictures.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

class CountingUser : public SilentInteraction {
public:
    void reportTokenizerProblem(std::string_view, std::string_view) override { ++problems; }
    int problems = 0;
};

const FixedMetricMeasurer kFixed(5, 13);
const std::string kTable = "<p>before</p>\r\n<table border=1><tr><td>abcdefgh</td></tr></table>";

class ConvertTable : public ::testing::Test {
protected:
    std::optional<PictureTexts> run(std::string_view selection)
    {
        return m_command.run(selection, m_folder.path(), m_options, kFixed, m_user);
    }
    std::vector<std::string> files()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder.path())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_folder;
    ConversionOptions m_options;
    CountingUser m_user;
    TablePictureCommand m_command;
};

TEST_F(ConvertTable, DrawsTheSelectedTableIntoTheNextNumberedPicture)
{
    const auto texts = run(kTable);
    ASSERT_TRUE(texts);
    EXPECT_EQ(m_command.counter(), 1);
    EXPECT_EQ(texts->reference, "\r\n<image xlink:href=\"#table1.png\"/>\r\n");
    const std::string head = "<binary content-type=\"image/png\" id=\"table1.png\">";
    const std::string tail = "\r\n</binary>\r\n";
    ASSERT_TRUE(texts->binary.starts_with(head));
    ASSERT_TRUE(texts->binary.ends_with(tail));
    const std::string png =
        decodeBase64(texts->binary.substr(head.size(), texts->binary.size() - head.size() - tail.size())).value();
    EXPECT_EQ(png, test::readBytes(m_folder.file("table1.png")));
    const RgbImage picture = decodePng(png, "table1.png");
    EXPECT_EQ(picture.width, 48);
    EXPECT_EQ(picture.height, 21);

    ASSERT_TRUE(run(kTable));
    EXPECT_EQ(m_command.counter(), 2);
    EXPECT_EQ(files(), (std::vector<std::string>{"table1.png", "table2.png"}));
}

TEST_F(ConvertTable, WithoutASelectionNothingHappens)
{
    EXPECT_FALSE(run(""));
    EXPECT_EQ(m_command.counter(), 0);
    EXPECT_TRUE(files().empty());
}

TEST_F(ConvertTable, ASelectionWithoutATableStillAdvancesTheCounter)
{
    EXPECT_FALSE(run("<p>no table here</p>"));
    EXPECT_FALSE(run("<table></table>"));
    EXPECT_EQ(m_command.counter(), 2);
    EXPECT_TRUE(files().empty());
    const auto texts = run(kTable);
    ASSERT_TRUE(texts);
    EXPECT_NE(texts->reference.find("#table3.png"), std::string::npos);
}

TEST_F(ConvertTable, NumberingStartsAgainAfterResetAndRewritesItsOwnPicture)
{
    ASSERT_TRUE(run(kTable));
    ASSERT_TRUE(run(kTable));
    m_command.reset();
    EXPECT_EQ(m_command.counter(), 0);
    const auto texts = run("<table><tr><td>a much longer text than before</td></tr></table>");
    ASSERT_TRUE(texts);
    EXPECT_NE(texts->reference.find("#table1.png\""), std::string::npos);
    EXPECT_EQ(files(), (std::vector<std::string>{"table1.png", "table2.png"}));
    EXPECT_GT(decodePng(test::readBytes(m_folder.file("table1.png")), "table1.png").width, 48);
}

TEST_F(ConvertTable, AUsersOwnFilesAreNeverReplaced)
{
    test::writeBytes(m_folder.file("table1.png"), "the user's own table1");
    test::writeBytes(m_folder.file("table1~2.png"), "the user's own table1~2");
    fs::create_symlink(m_folder.file("elsewhere.png"), m_folder.file("table2.png"));

    const auto first = run(kTable);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->reference, "\r\n<image xlink:href=\"#table1~3.png\"/>\r\n");
    EXPECT_TRUE(first->binary.starts_with("<binary content-type=\"image/png\" id=\"table1~3.png\">"));
    const auto second = run(kTable);
    ASSERT_TRUE(second);
    EXPECT_NE(second->reference.find("#table2~2.png"), std::string::npos);

    EXPECT_EQ(test::readBytes(m_folder.file("table1.png")), "the user's own table1");
    EXPECT_EQ(test::readBytes(m_folder.file("table1~2.png")), "the user's own table1~2");
    EXPECT_TRUE(fs::is_symlink(m_folder.file("table2.png")));
    EXPECT_FALSE(fs::exists(m_folder.file("elsewhere.png")));

    // Once this run wrote table1~3.png, the next table1 goes there again.
    m_command.reset();
    EXPECT_EQ(m_command.fileFor(m_folder.path(), 1), m_folder.file("table1~3.png"));
}

TEST_F(ConvertTable, AnUnwritableFolderIsAnErrorNamingTheFile)
{
    const fs::path missing = m_folder.file("no such folder");
    try {
        m_command.run(kTable, missing, m_options, kFixed, m_user);
        ADD_FAILURE() << "no error";
    } catch (const PictureError& error) {
        EXPECT_NE(std::string(error.what()).find("table1.png"), std::string::npos) << error.what();
    }
    EXPECT_EQ(m_command.counter(), 1);
}

TEST(TablePictureFolder, FollowsTheFb2FileThenTheSourceThenTheCurrentFolder)
{
    const fs::path current = fs::current_path();
    const struct {
        const char* fb2;
        const char* source;
        fs::path expected;
    } cases[] = {
        {"/books/a.fb2", "/sources", "/books"},
        {"", "/sources", "/sources"},
        {"", "", current},
        {"a.fb2", "", current},
        {"a.fb2", "/sources", "/sources"},
    };
    for (const auto& c : cases) EXPECT_EQ(tablePictureFolder(c.fb2, c.source), c.expected) << c.fb2 << c.source;
}

}  // namespace
}  // namespace vellumar
