#include "pixels/palette_quantizer.h"
#include "pixels/picture_error.h"
#include "pixels/png_codec.h"
#include "pixels/png_encoder.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <string>

namespace vellumar {
namespace {

PaletteImage stripes(int width, int height, std::size_t colours)
{
    PaletteImage image;
    image.width = width;
    image.height = height;
    for (std::size_t i = 0; i < colours; ++i)
        image.palette.push_back(
            {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.indices.push_back(static_cast<std::uint8_t>((x * 3 + y) % colours));
    return image;
}

struct DepthCase {
    const char* name;
    std::size_t colours;
    int width;
    int depth;
};

class PalettePngWriting : public ::testing::TestWithParam<DepthCase> {};

// The fewest bits the palette needs, rows that end inside a byte, and every pixel read back by
// libpng as its palette colour.
TEST_P(PalettePngWriting, PacksIndicesIntoTheFewestBitsAndDecodesToThePaletteColours)
{
    const DepthCase& c = GetParam();
    const PaletteImage image = stripes(c.width, 5, c.colours);
    const std::string png = encodePng(image, {8, PngRowFilter::None, 8192});
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], c.depth) << "bit depth";
    EXPECT_EQ(png[25], 3) << "colour type palette";
    EXPECT_EQ(readPngKind(png, "p.png").colours, PngColours::Palette);
    EXPECT_EQ(readPngKind(png, "p.png").paletteSize, static_cast<int>(c.colours));
    const RgbImage decoded = decodePng(png, "p.png");
    ASSERT_EQ(decoded.width, c.width);
    for (std::size_t i = 0; i < image.indices.size(); ++i) {
        const auto& colour = image.palette[image.indices[i]];
        ASSERT_EQ(decoded.pixels[i * 3], colour[0]) << "pixel " << i;
        ASSERT_EQ(decoded.pixels[i * 3 + 1], colour[1]) << "pixel " << i;
        ASSERT_EQ(decoded.pixels[i * 3 + 2], colour[2]) << "pixel " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PalettePngWriting,
                         ::testing::Values(DepthCase{"two", 2, 13, 1}, DepthCase{"four", 4, 7, 2},
                                           DepthCase{"sixteen", 16, 9, 4}, DepthCase{"seventeen", 17, 3, 8},
                                           DepthCase{"all", 256, 33, 8}),
                         vellumar::testing_support::CaseName{});

TEST(PalettePngWriting, RefusesPalettesThatCannotBeWritten)
{
    PaletteImage empty = stripes(4, 4, 3);
    empty.palette.clear();
    EXPECT_THROW(encodePng(empty), PictureError);
    PaletteImage tooMany = stripes(4, 4, 256);
    tooMany.palette.push_back({1, 2, 3});
    EXPECT_THROW(encodePng(tooMany), PictureError);
    PaletteImage outside = stripes(4, 4, 3);
    outside.indices[5] = 3;
    EXPECT_THROW(encodePng(outside), PictureError);
    PaletteImage shortOfPixels = stripes(4, 4, 3);
    shortOfPixels.indices.pop_back();
    EXPECT_THROW(encodePng(shortOfPixels), PictureError);
}

TEST(GreyPngWriting, DecodesToTheSameGreys)
{
    GreyImage image(19, 7);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 37);
    const std::string png = encodePng(image);
    EXPECT_EQ(png[25], 0) << "colour type grey";
    EXPECT_EQ(readPngKind(png, "g.png").colours, PngColours::Grey);
    EXPECT_EQ(decodePngGrey(png, "g.png").pixels, image.pixels);
}

RgbImage fewColours(int width, int height)
{
    RgbImage image(width, height);
    const std::uint8_t colours[3][3] = {{255, 255, 255}, {200, 20, 20}, {10, 10, 120}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* colour = colours[(x / 5 + y / 3) % 3];
            std::copy(colour, colour + 3, image.row(y) + x * 3);
        }
    return image;
}

void expectExact(const RgbImage& picture, const PaletteImage& quantized)
{
    ASSERT_EQ(quantized.indices.size(), picture.pixels.size() / 3);
    for (std::size_t i = 0; i < quantized.indices.size(); ++i) {
        const auto& colour = quantized.palette.at(quantized.indices[i]);
        ASSERT_TRUE(std::equal(colour.begin(), colour.end(), picture.pixels.begin() + static_cast<long>(i * 3)))
            << "pixel " << i;
    }
}

// A picture of no more colours than allowed comes back exactly. Fewer colours are kept to
// while the mean error stays small; a picture they would spoil gets more.
TEST(QuantizeToPalette, KeepsFewColoursExactlyAndTakesMoreOnlyWhenTheErrorIsLarge)
{
    const RgbImage picture = fewColours(40, 30);
    expectExact(picture, quantizeToPalette(picture, 8, "few.png"));
    expectExact(picture, quantizeToPalette(picture, 2, "few.png"));

    RgbImage paper(40, 30);
    for (std::size_t i = 0; i < paper.pixels.size(); i += 3 * 7) paper.pixels[i] = paper.pixels[i + 1] = 250;
    paper.pixels[0] = paper.pixels[1] = paper.pixels[2] = 0;
    const PaletteImage two = quantizeToPalette(paper, 2, "paper.png");
    EXPECT_LE(two.palette.size(), 2u);
    for (const std::uint8_t index : two.indices) ASSERT_LT(index, two.palette.size());

    GreyImage grey(30, 20);
    for (std::size_t i = 0; i < grey.pixels.size(); ++i) grey.pixels[i] = static_cast<std::uint8_t>((i % 3) * 100);
    const PaletteImage greys = quantizeToPalette(grey, 4, "grey.png");
    for (std::size_t i = 0; i < grey.pixels.size(); ++i) {
        const auto& colour = greys.palette.at(greys.indices[i]);
        ASSERT_EQ(colour[0], grey.pixels[i]) << "pixel " << i;
        ASSERT_EQ(colour[2], grey.pixels[i]) << "pixel " << i;
    }
}

}  // namespace
}  // namespace vellumar
