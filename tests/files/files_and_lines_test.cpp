#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "editing/text_lines.h"

namespace vellumar {
namespace {

TEST(TextLines, SplitAtEveryKindOfBreak)
{
    struct Case {
        const char* in;
        const char* joined;
        const char* saved;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", "a\r\nb", "a\r\nb\r\n"},
        {"a\nb", "a\r\nb", "a\r\nb\r\n"},
        {"a\rb\r", "a\r\nb", "a\r\nb\r\n"},
        {"a\n\nb", "a\r\n\r\nb", "a\r\n\r\nb\r\n"},
        {"\n", "", "\r\n"},
        {"", "", ""},
        {"a\r\r\n", "a\r\n", "a\r\n\r\n"},
        {"a\r\n\r\n", "a\r\n", "a\r\n\r\n"},
        {"a\r\nb", "a\r\nb", "a\r\nb\r\n"},
        {"a\rb\rc\nd", "a\r\nb\r\nc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
        {"\r\r", "\r\n", "\r\n\r\n"},
        {"\r\n\n\r", "\r\n\r\n", "\r\n\r\n\r\n"},
        {"ab\n\rcd", "ab\r\n\r\ncd", "ab\r\n\r\ncd\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(joinLinesCrLf(c.in, false), c.joined) << c.in;
        EXPECT_EQ(joinLinesCrLf(c.in, true), c.saved) << c.in;
        // Handed over, a text already in CR LF lines comes back as it is; any other is joined.
        EXPECT_EQ(joinLinesCrLfOwned(std::string(c.in), false), c.joined) << c.in;
        EXPECT_EQ(joinLinesCrLfOwned(std::string(c.in), true), c.saved) << c.in;
    }
}

// A book's pieces are saved as the lines of their joined text; pieces already in CR LF lines
// are kept apart (the last gets the final break), others are joined.
TEST(TextLines, PiecesAreSavedAsTheirJoinedText)
{
    struct Case {
        TextPieces pieces;
        std::size_t keptApart;  // 0: joined into one
    };
    const Case cases[] = {
        {{"<a>\r\n", "<b>"}, 2},
        {{"<a>\r\n", "<b>\r\n", ""}, 3},
        {{"x", "", ""}, 3},
        {{"", ""}, 2},
        {{}, 0},
        {{"a\r", "\nb"}, 0},  // a CR LF cut between two pieces
        {{"a\n", "b\r\n"}, 0},
        {{"a\r\n", "b\rc"}, 0},
    };
    for (const Case& c : cases) {
        TextPieces pieces = c.pieces;
        endLinesCrLf(pieces);
        const std::string joined = joinPieces(c.pieces);
        EXPECT_EQ(joinPieces(pieces), joinLinesCrLf(joined, true)) << joined;
        EXPECT_EQ(pieces.size(), c.keptApart == 0 && !c.pieces.empty() ? 1 : c.keptApart) << joined;
    }
}

class FileIo : public ::testing::TestWithParam<Durability> {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("vellumar-io-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path m_dir;
};

TEST_P(FileIo, WritesWholeAndReplaces)
{
    const auto file = m_dir / "book.fb2";
    writeFileAtomically(file, "old", GetParam());
    writeFileAtomically(file, std::string("new\0bytes", 9), GetParam());
    EXPECT_EQ(readFileBytes(file), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), std::filesystem::directory_iterator()), 1);
    // A name held by another link to the old file keeps the old text.
    std::filesystem::create_hard_link(file, m_dir / "kept.fb2");
    writeFileAtomically(file, "newer", GetParam());
    EXPECT_EQ(readFileBytes(file), "newer");
    EXPECT_EQ(readFileBytes(m_dir / "kept.fb2"), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), std::filesystem::directory_iterator()), 2);
}

// More pieces than one system call takes, some empty, one large.
TEST_P(FileIo, WritesPiecesOneAfterAnother)
{
    std::vector<std::string> pieces;
    for (int i = 0; i < 3000; ++i) pieces.push_back(i % 7 == 0 ? std::string() : std::to_string(i) + ",");
    pieces[1500] = std::string(3 << 20, 'x');
    const std::vector<std::string_view> views(pieces.begin(), pieces.end());
    const auto file = m_dir / "book.fb2";
    writeFileAtomically(file, views, GetParam());
    EXPECT_EQ(readFileBytes(file), joinPieces(pieces));
}

TEST_P(FileIo, FailuresNameTheFileAndKeepTheOldOne)
{
    EXPECT_THROW(
        {
            try {
                readFileBytes(m_dir / "missing.html");
            } catch (const FileError& e) {
                EXPECT_NE(std::string(e.what()).find("missing.html"), std::string::npos);
                throw;
            }
        },
        FileError);
    EXPECT_THROW(readFileBytes(m_dir), FileError);
    EXPECT_THROW(writeFileAtomically(m_dir / "no-folder" / "x.fb2", "x", GetParam()), FileError);
    // A target that is a folder cannot be replaced; it stays, and nothing is left behind.
    std::filesystem::create_directories(m_dir / "taken.fb2" / "inside");
    EXPECT_THROW(writeFileAtomically(m_dir / "taken.fb2", "x", GetParam()), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "taken.fb2" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), std::filesystem::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Durabilities, FileIo, ::testing::Values(Durability::SyncToDisk, Durability::WriteBack),
                         [](const ::testing::TestParamInfo<Durability>& param) {
                             return param.param == Durability::SyncToDisk ? "SyncToDisk" : "WriteBack";
                         });

}  // namespace
}  // namespace vellumar
