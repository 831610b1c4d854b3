#include "pixels/grey_image.h"
#include "pixels/rgb_image.h"

#include <gtest/gtest.h>

#include <random>

namespace vellumar {
namespace {

// Grey averaging must give, to the bit, what the RGB averaging gives each channel of the same
// picture: a shrunk grey PNG carries the values the RGB shrink had. The sizes reach both the
// fixed-tap paths (up to four source pixels under an output pixel) and the general one, and
// enlarging.
TEST(GreyScaleAreaAverage, EqualsEachChannelOfTheRgbAverage)
{
    struct Case {
        int width, height, toWidth, toHeight;
    };
    const Case cases[] = {
        {605, 170, 580, 163}, {1271, 654, 580, 298}, {64, 48, 32, 24}, {37, 29, 3, 2},
        {500, 9, 7, 9},       {10, 10, 23, 17},      {1, 1, 1, 1},     {300, 1, 299, 1},
    };
    std::mt19937 random(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " to " + std::to_string(c.toWidth) +
                     "x" + std::to_string(c.toHeight));
        GreyImage grey(c.width, c.height);
        RgbImage rgb(c.width, c.height);
        for (std::size_t i = 0; i < grey.pixels.size(); ++i) {
            // Paper, ink and noise in between.
            const unsigned roll = random() % 8;
            const auto value = static_cast<std::uint8_t>(roll < 5 ? 255 : roll < 7 ? 0 : random() % 256);
            grey.pixels[i] = value;
            rgb.pixels[i * 3] = rgb.pixels[i * 3 + 1] = rgb.pixels[i * 3 + 2] = value;
        }
        const GreyImage scaled = scaleAreaAverage(grey, c.toWidth, c.toHeight);
        const RgbImage expected = scaleAreaAverage(rgb, c.toWidth, c.toHeight);
        ASSERT_EQ(scaled.width, expected.width);
        ASSERT_EQ(scaled.height, expected.height);
        for (std::size_t i = 0; i < scaled.pixels.size(); ++i)
            ASSERT_EQ(scaled.pixels[i], expected.pixels[i * 3]) << "pixel " << i;
    }
}

}  // namespace
}  // namespace vellumar
