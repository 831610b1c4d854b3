#include "tables/table_picture_embedder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "convert/body_writer.h"
#include "pictures/base64.h"
#include "pictures/picture_embedder.h"
#include "pixels/png_codec.h"

namespace vellumar {
namespace {

class RecordingUser : public SilentInteraction {
public:
    void reportTokenizerProblem(std::string_view message, std::string_view) override { messages.emplace_back(message); }
    void warn(std::string_view text) override { warnings.emplace_back(text); }
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
};

// Runs a test inside a fresh folder as the current folder, and goes back afterwards.
class InScratchFolder {
public:
    InScratchFolder() : m_previous(std::filesystem::current_path()) { std::filesystem::current_path(m_folder.path()); }
    ~InScratchFolder() { std::filesystem::current_path(m_previous); }
    const std::filesystem::path& path() { return m_folder.path(); }

private:
    TempFolder m_folder;
    std::filesystem::path m_previous;
};

const FixedMetricMeasurer kFixed(5, 13);
const std::string kOneCell = "<html>\r\n<table><tr><td>abcdefgh</td></tr></table>\r\n</html>";

TEST(TablePictureEmbedder, AppendsThePngAsABinaryElement)
{
    ConversionOptions options;
    RecordingUser user;
    TablePictureEmbedder embedder(options, user, kFixed);
    std::string binaries = "before";
    embedder.embedTablePicture(3, kOneCell, binaries);

    const std::string head = "before<binary content-type=\"image/png\" id=\"table3.png\">";
    ASSERT_EQ(binaries.substr(0, head.size()), head);
    const std::string tail = "\r\n</binary>\r\n";
    ASSERT_EQ(binaries.substr(binaries.size() - tail.size()), tail);
    const std::optional<std::string> png =
        decodeBase64(std::string_view(binaries).substr(head.size(), binaries.size() - head.size() - tail.size()));
    ASSERT_TRUE(png);
    const RgbImage picture = decodePng(*png, "table3.png");
    EXPECT_EQ(picture.width, 48);
    EXPECT_EQ(picture.height, 21);
}

TEST(TablePictureEmbedder, LeavesTheUsersOwnPictureFilesAlone)
{
    InScratchFolder scratch;
    {
        std::ofstream own(scratch.path() / "table1.png", std::ios::binary);
        own << "the user's own picture";
    }
    ConversionOptions options;
    RecordingUser user;
    std::string binaries;
    {
        TablePictureEmbedder embedder(options, user, kFixed);
        embedder.embedTablePicture(1, kOneCell, binaries);
        embedder.embedTablePicture(2, kOneCell, binaries);
    }
    EXPECT_NE(binaries.find("id=\"table1.png\""), std::string::npos);
    EXPECT_NE(binaries.find("id=\"table2.png\""), std::string::npos);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"table1.png"});
    std::ifstream own(scratch.path() / "table1.png", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(own)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "the user's own picture");
}

TEST(TablePictureEmbedder, TableWithoutCellsAddsNothing)
{
    ConversionOptions options;
    RecordingUser user;
    TablePictureEmbedder embedder(options, user, kFixed);
    std::string binaries;
    embedder.embedTablePicture(1, kOneCell, binaries);
    const std::string first = binaries;
    // The closing tag of an outer table after a nested one, or a stray closing tag.
    embedder.embedTablePicture(1, "</table>\r\n</html>", binaries);
    embedder.embedTablePicture(0, "<html>\r\n<table><tr></tr></table>\r\n</html>", binaries);
    EXPECT_EQ(binaries, first);
}

// Too large for a picture: the grid (refused before it is made) or the bitmap (refused after
// the layout, before drawing). Nothing is embedded; the user is told, and the body writer
// writes the table as its text.
TEST(TablePictureEmbedder, TableTooLargeToDrawIsReportedAndLeftToTheText)
{
    std::string manyEmpty = "<html>\r\n<table><tr>";
    for (int i = 0; i < 1100; ++i) manyEmpty += "<td>";
    manyEmpty += "</tr>";
    for (int i = 0; i < 1100; ++i) manyEmpty += "<tr><td>x</tr>";
    // One cell of 30000 lines, 100 characters wide: a small grid, a bitmap of 508 x 390008.
    std::string tallText = "<html>\r\n<table><tr><td>" + std::string(100, 'w');
    for (int i = 1; i < 30000; ++i) tallText += "\r\nx";
    struct TooLarge {
        std::string html;
        std::string warning;
    };
    const TooLarge cases[] = {
        {manyEmpty + "</table>\r\n</html>",
         "table4.png: the table is too large to draw as a picture (1100 columns x 1101 rows); written as its text"},
        {tallText + "</td></tr></table>\r\n</html>",
         "table4.png: the table is too large to draw as a picture (508 x 390008 pixels); written as its text"},
    };
    for (const TooLarge& c : cases) {
        ConversionOptions options;
        RecordingUser user;
        TablePictureEmbedder embedder(options, user, kFixed);
        std::string binaries;
        EXPECT_EQ(embedder.embedTablePicture(4, c.html, binaries), TableOutcome::Text);
        EXPECT_EQ(binaries, "");
        EXPECT_EQ(user.warnings, std::vector<std::string>{c.warning});
    }
    ConversionOptions options;
    RecordingUser user;
    TablePictureEmbedder embedder(options, user, kFixed);
    std::string binaries;
    EXPECT_EQ(embedder.embedTablePicture(1, kOneCell, binaries), TableOutcome::Picture);
    EXPECT_TRUE(user.warnings.empty());
}

TEST(TablePictureEmbedder, TokenizerProblemsGoToTheUser)
{
    ConversionOptions options;
    RecordingUser user;
    TablePictureEmbedder embedder(options, user, kFixed);
    std::string binaries;
    embedder.embedTablePicture(1, "<html><table><tr><td>a</td></tr></table><a =x></html>", binaries);
    EXPECT_EQ(user.messages, std::vector<std::string>{"key not defined in tag"});
    EXPECT_FALSE(binaries.empty());
}

std::size_t occurrences(const std::string& text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

std::string convertWithTablePictures(const std::string& source)
{
    ConversionOptions options;
    options.tableMode = TableMode::ConvertToImage;
    RecordingUser user;
    NoPictures pictures;
    TablePictureEmbedder tables(options, user, kFixed);
    ConversionServices services{user, pictures, tables};
    return writeBook(source, options, services).value().text();
}

TEST(TablePictureEmbedder, NestedTableIsPartOfTheOuterPicture)
{
    const std::string text = convertWithTablePictures(
        "<html><body><table><tr><td>outer<table><tr><td>inner</td></tr></table>after</td></tr></table>"
        "</body></html>");
    // One picture for the outer table, holding the inner one; nothing of it is left in the body.
    EXPECT_EQ(occurrences(text, "<image xlink:href=\"#table1.png\"/>"), 1u);
    EXPECT_EQ(occurrences(text, "<binary "), 1u);
    EXPECT_EQ(occurrences(text, "table2.png"), 0u);
    EXPECT_EQ(text.find("after"), std::string::npos);
    EXPECT_EQ(text.find("</td>"), std::string::npos);
}

TEST(TablePictureEmbedder, StrayClosingTableGivesAReferenceWithoutPicture)
{
    const std::string text = convertWithTablePictures("<html><body><p>a</p></table><p>b</p></body></html>");
    EXPECT_NE(text.find("<empty-line/>\r\n\r\n<image xlink:href=\"#table0.png\"/>\r\n"), std::string::npos);
    EXPECT_EQ(occurrences(text, "<binary "), 0u);
}

// Table pictures encoded on the picture workers land where the walk put them, among the
// other pictures, as when each is written and encoded in turn.
TEST(TablePictureEmbedder, EncodedOnTheWorkersTheBookIsTheSame)
{
    TempFolder folder;
    writePng(RgbImage(700, 40, 90), folder.file("wide.png"));
    const std::string source =
        "<html><body><p><img src=wide.png></p><table><tr><td>" + std::string(300, 'w') +
        "</td></tr></table><table><tr></tr></table><p><img src=wide.png><img src=missing.png></p>"
        "<table><tr><th>h</th><td>x</td></tr></table></body></html>";
    ConversionOptions options;
    options.tableMode = TableMode::ConvertToImage;
    const auto convert = [&](bool onWorkers) {
        RecordingUser user;
        PictureEmbedder pictures(options, folder.path());
        TablePictureEmbedder tables(options, user, kFixed);
        if (onWorkers) tables.encodeOn(pictures);
        ConversionServices services{user, pictures, tables};
        return writeBook(source, options, services).value().text();
    };
    const std::string inTurn = convert(false);
    EXPECT_EQ(convert(true), inTurn);
    EXPECT_EQ(occurrences(inTurn, "<binary "), 3u);
    EXPECT_LT(inTurn.find("id=\"wide~temp.png\""), inTurn.find("id=\"table1.png\""));
    EXPECT_LT(inTurn.find("id=\"table1.png\""), inTurn.find("id=\"table3.png\""));
}

}  // namespace
}  // namespace vellumar
