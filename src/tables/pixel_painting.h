#pragma once
// Plain pixel painting on an RGB image: rectangles, 1-pixel lines, all clipped to the image.

#include <cstdint>

#include "pixels/rgb_image.h"

namespace vellumar {

// A rectangle of pixels: x, y of its top-left corner, its width and height.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The part of rect that lies inside the image (width or height 0 when none does).
PixelRect clipToImage(const PixelRect& rect, const RgbImage& image);
// Sets every pixel of rect (clipped to the image) to one grey value.
void fillRect(RgbImage& image, const PixelRect& rect, std::uint8_t grey);
// A 1-pixel line from (x, y) to (x + length, y) or (x, y + length): the start pixel and every
// pixel up to but not including the end. A length of 0 or less paints nothing.
void horizontalLine(RgbImage& image, int x, int y, int length, std::uint8_t grey);
void verticalLine(RgbImage& image, int x, int y, int length, std::uint8_t grey);

}  // namespace vellumar
