#include "pixels/png_codec.h"

#include "pixels/picture_error.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <png.h>
#include <zlib.h>

#include <vector>

namespace vellumar {
namespace {

using test::gradientPicture;

struct Chunk {
    std::string type;
    std::string data;
};

std::vector<Chunk> chunksOf(const std::string& png)
{
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i) length = (length << 8) | static_cast<std::uint8_t>(png[at + static_cast<std::size_t>(i)]);
        chunks.push_back({png.substr(at + 4, 4), png.substr(at + 8, length)});
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

struct WriteCase {
    const char* name;
    PngWriteOptions options;
    int width;
    int height;
};

class PngWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(PngWriting, WritesPlainRgbThatDecodesToTheSamePixels)
{
    const WriteCase& c = GetParam();
    const RgbImage picture = gradientPicture(c.width, c.height);
    const std::string png = encodePng(picture, c.options);

    const std::vector<Chunk> chunks = chunksOf(png);
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    const std::string& ihdr = chunks.front().data;
    EXPECT_EQ(ihdr[8], 8) << "bit depth";
    EXPECT_EQ(ihdr[9], 2) << "colour type RGB";
    EXPECT_EQ(ihdr[12], 0) << "not interlaced";
    std::string stream;
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].type, "IDAT");
        EXPECT_LE(chunks[i].data.size(), c.options.maxIdatBytes);
        stream += chunks[i].data;
    }

    // Every row starts with its filter byte; None and Sub must be used on every row.
    const std::size_t stride = static_cast<std::size_t>(c.width) * 3 + 1;
    std::string raw(stride * static_cast<std::size_t>(c.height), '\0');
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize, reinterpret_cast<const Bytef*>(stream.data()),
                         stream.size()),
              Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    if (c.options.filter != PngRowFilter::Adaptive) {
        const char expected = c.options.filter == PngRowFilter::Sub ? 1 : 0;
        for (int y = 0; y < c.height; ++y) ASSERT_EQ(raw[static_cast<std::size_t>(y) * stride], expected) << "row " << y;
    }

    const RgbImage decoded = decodePng(png, "written.png");
    EXPECT_EQ(test::pixelHash(decoded), test::pixelHash(picture));
}

INSTANTIATE_TEST_SUITE_P(
    Options, PngWriting,
    ::testing::Values(WriteCase{"ShrunkPicture", {8, PngRowFilter::Adaptive, 8192}, 300, 200},
                      WriteCase{"TablePicture", {7, PngRowFilter::Sub, 65535}, 580, 400},
                      WriteCase{"Unfiltered", {0, PngRowFilter::None, 8192}, 64, 64},
                      WriteCase{"SmallChunks", {9, PngRowFilter::Sub, 100}, 200, 150},
                      WriteCase{"OnePixel", {8, PngRowFilter::Adaptive, 8192}, 1, 1}),
    vellumar::testing_support::CaseName{});

// Rows of every kind the adaptive filter meets: noise, flat runs, steps; widths around the
// sixteen-byte blocks the filters work in. Whatever filter each row gets, libpng must read the
// same pixels back.
TEST(PngWriting, AdaptiveFiltersDecodeToTheSamePixelsAtEveryWidth)
{
    for (const int width : {1, 2, 5, 6, 11, 16, 37}) {
        RgbImage picture(width, 12);
        std::uint32_t state = 12345u + static_cast<std::uint32_t>(width);
        for (int y = 0; y < picture.height; ++y) {
            std::uint8_t* row = picture.row(y);
            for (int i = 0; i < width * 3; ++i) {
                state = state * 1103515245u + 12345u;
                const auto noise = static_cast<std::uint8_t>(state >> 24);
                row[i] = y % 3 == 0 ? noise : y % 3 == 1 ? static_cast<std::uint8_t>(i * 40) : static_cast<std::uint8_t>(noise & 0x83);
            }
        }
        const RgbImage decoded = decodePng(encodePng(picture, {8, PngRowFilter::Adaptive, 8192}), "noise.png");
        EXPECT_EQ(test::pixelHash(decoded), test::pixelHash(picture)) << "width " << width;
    }
}

TEST(PngReading, FlattensEveryPngKindOntoWhite)
{
    struct Case {
        const char* name;
        unsigned format;
        std::uint32_t rgba;
        std::uint8_t r, g, b;
    };
    const Case cases[] = {
        {"grey", PNG_FORMAT_GRAY, 0x303030FF, 0x30, 0x30, 0x30},
        {"rgb", PNG_FORMAT_RGB, 0x102030FF, 0x10, 0x20, 0x30},
        {"opaque rgba", PNG_FORMAT_RGBA, 0x405060FF, 0x40, 0x50, 0x60},
        {"transparent rgba", PNG_FORMAT_RGBA, 0x00000000, 255, 255, 255},
        {"transparent grey", PNG_FORMAT_GA, 0x00000000, 255, 255, 255},
        {"16-bit rgb", PNG_FORMAT_RGB | PNG_FORMAT_FLAG_LINEAR, 0xFFFFFFFF, 255, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RgbImage decoded = decodePng(test::pngBytes(5, 3, c.format, c.rgba), "kind.png");
        ASSERT_EQ(decoded.width, 5);
        ASSERT_EQ(decoded.height, 3);
        for (int i = 0; i < 15; ++i) {
            ASSERT_EQ(decoded.pixels[static_cast<std::size_t>(i) * 3], c.r);
            ASSERT_EQ(decoded.pixels[static_cast<std::size_t>(i) * 3 + 1], c.g);
            ASSERT_EQ(decoded.pixels[static_cast<std::size_t>(i) * 3 + 2], c.b);
        }
    }
}

TEST(PngReading, ReadsTheSizeFromTheHeader)
{
    EXPECT_EQ(readPngSize(encodePng(gradientPicture(33, 17)), "a.png"), (PictureSize{33, 17}));
}

void expectDecodeError(const std::string& bytes, const std::string& what)
{
    SCOPED_TRACE(what);
    try {
        decodePng(bytes, "pics/broken.png");
        ADD_FAILURE() << "decoded without an error";
    } catch (const PictureError& error) {
        EXPECT_NE(std::string(error.what()).find("pics/broken.png"), std::string::npos) << error.what();
    }
}

TEST(PngReading, CorruptAndTruncatedFilesGiveAnErrorNamingThePicture)
{
    const std::string good = encodePng(gradientPicture(120, 90));
    expectDecodeError("", "empty");
    expectDecodeError("GIF89a not a png at all", "other format");
    for (std::size_t keep : {std::size_t{8}, std::size_t{20}, std::size_t{40}, good.size() / 2, good.size() - 13})
        expectDecodeError(good.substr(0, keep), "truncated to " + std::to_string(keep));
    std::string flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x55);
    expectDecodeError(flipped, "damaged data");
}

TEST(PngReading, RefusesHeadersAnnouncingHugePictures)
{
    expectDecodeError(test::pngHeaderOnly(20000, 20000), "400 million pixels");
    expectDecodeError(test::pngHeaderOnly(40000, 1), "side over 32767");
    expectDecodeError(test::pngHeaderOnly(0x7FFFFFFF, 0x7FFFFFFF), "largest header");
    // Within the limits the header is accepted, and the missing data is the error.
    EXPECT_EQ(readPngSize(test::pngHeaderOnly(10000, 10000), "big.png"), (PictureSize{10000, 10000}));
}

TEST(PngFiles, UnwritableTargetsAreReported)
{
    const RgbImage picture = gradientPicture(10, 10);
    EXPECT_THROW(writePng(picture, "/nonexistent-folder/x.png"), PictureError);
}

}  // namespace
}  // namespace vellumar
