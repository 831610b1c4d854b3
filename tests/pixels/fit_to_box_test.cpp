#include "pixels/fit_to_box.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

struct FitCase {
    int width, height, maxWidth, maxHeight;
    int expectedWidth, expectedHeight;
};

class FitToBoxTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToBoxTable, GivesTheExpectedSize)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(fitToBox(c.width, c.height, c.maxWidth, c.maxHeight), (PictureSize{c.expectedWidth, c.expectedHeight}));
}

INSTANTIATE_TEST_SUITE_P(
    DefaultBox, FitToBoxTable,
    ::testing::Values(FitCase{580, 700, 580, 700, 580, 700},    // fits exactly: unchanged
                      FitCase{100, 50, 580, 700, 100, 50},      // small: never enlarged
                      FitCase{581, 700, 580, 700, 580, 699},    // 698.795... rounds to 699
                      FitCase{1000, 1000, 580, 700, 580, 580},  // the width ratio is larger
                      FitCase{1160, 1400, 580, 700, 580, 700},  // equal ratios: the width limits
                      FitCase{1160, 800, 580, 700, 580, 400},   // only too wide
                      FitCase{600, 1400, 580, 700, 300, 700},   // both, the height limits
                      FitCase{500, 1400, 580, 700, 250, 700},   // only too tall
                      FitCase{1200, 900, 580, 700, 580, 435}));

INSTANTIATE_TEST_SUITE_P(
    Rounding, FitToBoxTable,
    ::testing::Values(FitCase{20, 5, 4, 100, 4, 1},     // 4/20 × 5 = 1
                      FitCase{8, 5, 4, 100, 4, 2},      // 0.5 × 5 = 2.5 -> 2 (half to even)
                      FitCase{8, 7, 4, 100, 4, 4},      // 3.5 -> 4
                      FitCase{100, 3, 10, 100, 10, 1},  // 0.3 would be 0: at least 1 pixel
                      FitCase{5000, 1, 580, 700, 580, 1}));

INSTANTIATE_TEST_SUITE_P(
    DegenerateBoxes, FitToBoxTable,
    ::testing::Values(FitCase{100, 100, 0, 0, 1, 1}, FitCase{100, 50, -5, 700, 1, 1},
                      FitCase{50, 100, 580, 0, 1, 1}, FitCase{1, 1, 0, 0, 1, 1}));

}  // namespace
}  // namespace vellumar
