#include "pixels/rgb_image.h"

#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace vellumar {
namespace {

// A one-row picture whose red samples are `values` (green and blue 0).
RgbImage redRow(const std::vector<int>& values)
{
    RgbImage image(static_cast<int>(values.size()), 1, 0);
    for (std::size_t i = 0; i < values.size(); ++i) image.pixels[i * 3] = static_cast<std::uint8_t>(values[i]);
    return image;
}

std::vector<int> reds(const RgbImage& image)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) out.push_back(image.pixels[i]);
    return out;
}

TEST(ScaleAreaAverage, EachOutputIsTheCoverageWeightedMean)
{
    struct Case {
        std::vector<int> in;
        int width;
        std::vector<int> out;
    };
    const Case cases[] = {
        {{0, 100, 200, 40}, 2, {50, 120}},
        {{0, 90, 180}, 2, {30, 150}},          // 1.5 pixels each: (0 + 90 / 2) / 1.5, (90 / 2 + 180) / 1.5
        {{10, 20, 30, 40, 50}, 1, {30}},
        {{255, 0, 255, 0, 255, 0, 255}, 3, {146, 146, 146}},  // 7/3 wide: 340 / (7/3) each
        {{7, 9}, 2, {7, 9}},                   // same size: a copy
        {{0, 200}, 4, {0, 0, 200, 200}},       // enlarging repeats the pixel each output lies in
        {{10, 20, 30, 40, 50}, 4, {12, 24, 36, 48}},   // 1.25 pixels each
        {{0, 60, 120, 180, 240}, 3, {24, 120, 216}},  // 5/3 each: 2, 3 and 2 pixels under them
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.size());
        EXPECT_EQ(reds(scaleAreaAverage(redRow(c.in), c.width, 1)), c.out);
    }
}

TEST(ScaleAreaAverage, ShrinksBothWaysAndClampsToOnePixel)
{
    const RgbImage picture = test::gradientPicture(64, 48);
    const RgbImage one = scaleAreaAverage(picture, 0, -3);
    ASSERT_EQ(one.width, 1);
    ASSERT_EQ(one.height, 1);
    long long sum = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) sum += picture.row(y)[x * 3 + 1];
    EXPECT_NEAR(one.pixels[1], static_cast<double>(sum) / (64 * 48), 0.51);
    // Halving a picture averages 2 × 2 blocks.
    const RgbImage half = scaleAreaAverage(picture, 32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            for (int c = 0; c < 3; ++c) {
                const int block = picture.row(2 * y)[6 * x + c] + picture.row(2 * y)[6 * x + 3 + c] +
                                  picture.row(2 * y + 1)[6 * x + c] + picture.row(2 * y + 1)[6 * x + 3 + c];
                ASSERT_NEAR(half.row(y)[3 * x + c], block / 4.0, 0.51);
            }
}

TEST(ScaleAreaAverage, ARegionCountsAPartialLastColumnForItsPart)
{
    // 2.5 source pixels into 1: (100 + 100 + 0.5 × 250) / 2.5.
    EXPECT_EQ(reds(scaleAreaAverageRegion(redRow({100, 100, 250}), 2.5, 1, 1, 1)), std::vector<int>{130});
    EXPECT_EQ(reds(scaleAreaAverageRegion(redRow({100, 100, 250}), 3, 1, 1, 1)), std::vector<int>{150});
}

}  // namespace
}  // namespace vellumar
