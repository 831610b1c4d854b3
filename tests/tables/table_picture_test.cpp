#include "tables/table_picture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "pixels/png_codec.h"
#include "tables/freetype_text_measurer.h"
#include "tables/table_layout.h"

namespace vellumar {
namespace {

std::string inHtml(std::string_view table) { return "<html>\r\n" + std::string(table) + "\r\n</html>"; }

std::uint8_t grey(const RgbImage& image, int x, int y) { return image.row(y)[x * 3]; }

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string oneCellTable(std::string_view tableTag = "<table>")
{
    return inHtml(std::string(tableTag) + "<tr><td>abcdefgh</td></tr></table>");
}

// Eight bytes of 5 pixels make a text of 40 x 13.
const FixedMetricMeasurer kFixed(5, 13);

TEST(TablePicture, OneCellTableDrawsItsFrameAndText)
{
    const std::optional<RgbImage> picture = renderTableImage(oneCellTable(), ConversionOptions{}, kFixed);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width, 48);
    ASSERT_EQ(picture->height, 21);
    // The cell is 44 x 17 with its top-left corner at (2, 2). Lines end one pixel short of
    // their end points, so the bottom-right corner (46, 19) stays white.
    for (int x = 2; x < 46; ++x) {
        EXPECT_EQ(grey(*picture, x, 2), 0) << x;
        EXPECT_EQ(grey(*picture, x, 19), 0) << x;
    }
    for (int y = 2; y < 19; ++y) {
        EXPECT_EQ(grey(*picture, 2, y), 0) << y;
        EXPECT_EQ(grey(*picture, 46, y), 0) << y;
    }
    EXPECT_EQ(grey(*picture, 46, 19), 255);
    EXPECT_EQ(grey(*picture, 1, 1), 255);
    EXPECT_EQ(grey(*picture, 47, 20), 255);
    // The text starts 2 pixels right of the left line and 1 below the top line: the first
    // character's block at (4, 4), the white gap between characters at x = 8.
    EXPECT_EQ(grey(*picture, 3, 10), 255);
    EXPECT_EQ(grey(*picture, 4, 4), 0);
    EXPECT_EQ(grey(*picture, 8, 10), 255);
    EXPECT_EQ(grey(*picture, 42, 13), 0);
    EXPECT_EQ(grey(*picture, 43, 13), 255);
}

TEST(TablePicture, BordersAsSourceCanBeWhite)
{
    struct BorderCase {
        std::string_view tableTag;
        std::uint8_t line;
    };
    const BorderCase cases[] = {
        {"<table>", 255}, {"<table border=0>", 255}, {"<table border=1>", 0}, {"<table width=100%>", 0}};
    ConversionOptions options;
    options.tableBorder = TableBorder::AsSource;
    for (const BorderCase& c : cases) {
        const std::optional<RgbImage> picture = renderTableImage(oneCellTable(c.tableTag), options, kFixed);
        ASSERT_TRUE(picture);
        EXPECT_EQ(grey(*picture, 20, 2), c.line) << c.tableTag;
        EXPECT_EQ(grey(*picture, 2, 10), c.line) << c.tableTag;
        EXPECT_EQ(grey(*picture, 4, 4), 0) << c.tableTag;
    }
}

TEST(TablePicture, NoCellNoPicture)
{
    for (std::string_view html : {"", "</table>\r\n</html>", "<html><table><tr><caption>x</caption></tr></table></html>",
                                  "<html><table><td>x</td></table></html>", "<tr><td>no html marker</td></tr>"}) {
        EXPECT_FALSE(renderTableImage(html, ConversionOptions{}, kFixed)) << html;
    }
}

TEST(TablePicture, FittingIntoTheBox)
{
    const FixedMetricMeasurer narrow(1, 13);
    struct FitCase {
        std::string name;
        std::string html;
        int maxWidth;
        int maxHeight;
        int width;
        int height;
    };
    std::string tallRows;
    for (int i = 0; i < 60; ++i) tallRows += "<tr><td>x</td></tr>";
    std::string words = "x";
    for (int i = 1; i < 573; ++i) words += " x";
    const FitCase cases[] = {
        // A layout 99 wide fits 100 but its bitmap of 103 does not: 100 x (100 / 103 x 21).
        {"JustOverTheWidth", inHtml("<table><tr><td>" + std::string(95, 'a') + "</td></tr></table>"), 100, 700, 100,
         20},
        // 60 rows of 17 make 1024 pixels: 700 high, 700 / 1024 x 9 = 6.15 wide.
        {"TallerThanTheBox", inHtml("<table>" + tallRows + "</table>"), 580, 700, 6, 700},
        // The table shrunk by half lays out 584 x 56: 580 x (580 / 588 x 60 = 59.18).
        {"ShrunkByHalf", inHtml("<table><tr><td></td><td>a b</td><td>" + words + "</td></tr><tr><td></td></tr></table>"),
         580, 700, 580, 59},
    };
    for (const FitCase& c : cases) {
        ConversionOptions options;
        options.maxWidth = c.maxWidth;
        options.maxHeight = c.maxHeight;
        const std::optional<RgbImage> picture = renderTableImage(c.html, options, narrow);
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->width, c.width) << c.name;
        EXPECT_EQ(picture->height, c.height) << c.name;
    }
}

struct Chunk {
    std::string type;
    std::string data;
};

std::uint32_t bigEndian(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::vector<Chunk> readChunks(const std::string& png)
{
    std::vector<Chunk> chunks;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndian(png, at);
        chunks.push_back({png.substr(at + 4, 4), png.substr(at + 8, length)});
        const std::uint32_t crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), static_cast<uInt>(length + 4)));
        EXPECT_EQ(bigEndian(png, at + 8 + length), crc) << chunks.back().type;
        at += 12 + length;
    }
    return chunks;
}

TEST(TablePicture, PngIsRgbWithSubFilteredRowsInBoundedChunks)
{
    // Many rows of varied antialiased text: enough picture data for several image-data chunks.
    std::string rows;
    for (int i = 0; i < 400; ++i) {
        rows += "<tr><td>" + std::to_string(i * 7919 % 100003) + " Wq</td><td>" + std::to_string(i * 104729 % 999983) +
                " &quot;" + std::to_string(i * 31 % 97) + "&quot;</td><td>y" + std::to_string(i * 61 % 1009) +
                "</td></tr>";
    }
    ConversionOptions options;
    options.maxHeight = 100000;
    TempFolder folder;
    const std::filesystem::path file = folder.file("table1.png");
    const FreeTypeTextMeasurer font;
    ASSERT_EQ(renderTablePicture(inHtml("<table>" + rows + "</table>"), file, options, font), file.string());

    const std::vector<Chunk> chunks = readChunks(readFile(file));
    ASSERT_GE(chunks.size(), 4u);
    ASSERT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    const std::string& header = chunks.front().data;
    const std::uint32_t width = bigEndian(header, 0);
    const std::uint32_t height = bigEndian(header, 4);
    EXPECT_EQ(header.substr(8), std::string("\x08\x02\x00\x00\x00", 5));  // 8 bits, RGB, no interlace

    std::string stream;
    int dataChunks = 0;
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].type, "IDAT");  // no transparency or other chunk
        EXPECT_LE(chunks[i].data.size(), 65535u);
        stream += chunks[i].data;
        ++dataChunks;
    }
    EXPECT_GE(dataChunks, 2);
    EXPECT_EQ(chunks[1].data.size(), 65535u);
    // zlib header: deflate, a level above the fast ones (the level flag only informs; the
    // compressor marks level 7 as 2, "default").
    EXPECT_EQ(static_cast<unsigned char>(stream[0]) & 0x0F, 8);
    EXPECT_GE(static_cast<unsigned char>(stream[1]) >> 6, 2);

    std::vector<unsigned char> raw(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(stream.data()), static_cast<uLong>(stream.size())),
              Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    for (std::uint32_t y = 0; y < height; ++y) ASSERT_EQ(raw[y * (1 + 3 * width)], 1) << "row " << y;  // Sub
}

TEST(TablePicture, UnwritableFileIsAnError)
{
    TempFolder folder;
    const std::filesystem::path file = folder.file("missing-folder") / "table1.png";
    EXPECT_THROW(renderTablePicture(oneCellTable(), file, ConversionOptions{}, kFixed), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(TablePicture, FreeTypeRenderingHasItsGridLinesWhereTheLayoutPutsThem)
{
    const FreeTypeTextMeasurer font;
    ASSERT_GT(font.lineHeight(), 8);
    // windows-1251: "Привет, мир" and "Ёлка" next to Latin text, one cell spanning two columns.
    const std::string html = inHtml(
        "<table border=1><tr><td colspan=2>Table \xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0</td><td>x</td></tr>"
        "<tr><td>\xa8\xeb\xea\xe0</td><td>Latin text</td><td>12 345</td></tr></table>");

    TableGrid grid;
    buildTableGrid(html, TableBorder::Visible, grid);
    const TextSize size = layoutTable(grid, font, 580);
    std::vector<int> columnX{2};
    for (int column = 1; column <= 3; ++column) columnX.push_back(columnX.back() + grid.at(column, 1).width);
    const std::vector<int> rowY{2, 2 + grid.at(1, 1).height, 2 + grid.at(1, 1).height + grid.at(1, 2).height};
    EXPECT_EQ(columnX.back(), size.width + 2);

    TempFolder folder;
    const std::filesystem::path file = folder.file("table1.png");
    ASSERT_FALSE(renderTablePicture(html, file, ConversionOptions{}, font).empty());
    const RgbImage picture = decodePng(readFile(file), "table1.png");
    ASSERT_EQ(picture.width, size.width + 4);
    ASSERT_EQ(picture.height, size.height + 4);

    const int middleOfRow2 = rowY[1] + grid.at(1, 2).height / 2;
    for (int x : columnX) EXPECT_EQ(grey(picture, x, middleOfRow2), 0) << "vertical line at " << x;
    // Row 1: the spanning cell has no line between its two columns (looked at below its text).
    EXPECT_EQ(grey(picture, columnX[1], rowY[1] - 2), 255);
    EXPECT_EQ(grey(picture, columnX[2], rowY[1] - 2), 0);
    for (int y : rowY) EXPECT_EQ(grey(picture, columnX[0] + 1, y), 0) << "horizontal line at " << y;
    for (int x = 2; x < columnX.back(); ++x) EXPECT_EQ(grey(picture, x, size.height + 2), 0) << "bottom at " << x;

    // Each cell shows antialiased ink: dark and grey pixels inside its text area.
    const auto inkIn = [&](int left, int top, int right, int bottom) {
        int dark = 0;
        int soft = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const int v = grey(picture, x, y);
                dark += v < 100;
                soft += v > 0 && v < 255;
            }
        }
        return std::pair{dark, soft};
    };
    const auto [darkCyrillic, softCyrillic] = inkIn(columnX[0] + 2, rowY[1] + 1, columnX[1] - 1, rowY[2] - 1);
    EXPECT_GT(darkCyrillic, 10);
    EXPECT_GT(softCyrillic, 5);
    const auto [darkLatin, softLatin] = inkIn(columnX[1] + 2, rowY[1] + 1, columnX[2] - 1, rowY[2] - 1);
    EXPECT_GT(darkLatin, 10);
    EXPECT_GT(softLatin, 5);
}

TEST(FreeTypeTextMeasurer, MeasuresCyrillicAndEmptyLines)
{
    const FreeTypeTextMeasurer font;
    const TextSize empty = font.measureLine("");
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, font.lineHeight());
    // "Ж" is a real glyph, wider than "i"; a text's width is the sum of its characters'.
    EXPECT_GT(font.measureLine("\xc6").width, font.measureLine("i").width);
    EXPECT_EQ(font.measureLine("\xc6i").width, font.measureLine("\xc6").width + font.measureLine("i").width);
    EXPECT_EQ(font.measureLine("a\tb").width, font.measureLine("a b").width);
    // A character windows-1251 lacks is carried as a decimal reference and is one glyph.
    EXPECT_GT(font.measureLine("&#937;").width, 0);
    EXPECT_LT(font.measureLine("&#937;").width, font.measureLine("&#9").width);
    EXPECT_EQ(font.measureLine("a&#937;").width, font.measureLine("a").width + font.measureLine("&#937;").width);
    const FixedMetricMeasurer fixed(5, 13);
    EXPECT_EQ(fixed.measureLine("a&#26085;b &#0; &amp;").width, 5 * (4 + 4 + 1 + 5));
}

TEST(TablePicture, HeaderCellsAndReferencesAreDrawn)
{
    // The header row is drawn like any other; "&amp;" is one character, not five.
    const std::optional<RgbImage> withHeader =
        renderTableImage(inHtml("<table><tr><th>Name</th></tr><tr><td>a &amp; b</td></tr></table>"), ConversionOptions{}, kFixed);
    const std::optional<RgbImage> plain =
        renderTableImage(inHtml("<table><tr><td>Name</td></tr><tr><td>a & b</td></tr></table>"), ConversionOptions{}, kFixed);
    ASSERT_TRUE(withHeader && plain);
    EXPECT_EQ(withHeader->width, plain->width);
    EXPECT_EQ(withHeader->pixels, plain->pixels);
}

}  // namespace
}  // namespace vellumar
