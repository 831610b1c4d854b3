#pragma once
// A decoded picture: 8-bit RGB, 3 bytes per pixel, rows top to bottom, no padding.

#include <cstdint>
#include <vector>

namespace vellumar {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes

    RgbImage() = default;
    RgbImage(int w, int h, std::uint8_t fill = 255)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, fill) {}
    std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3; }
    const std::uint8_t* row(int y) const
    {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    }
};

// A picture's size in pixels, as its header announces it.
struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Halftone shrinking: each output pixel is the coverage-weighted mean of the source pixels
// under it. Also used to enlarge (then each output pixel takes the source pixel it lies in).
// width and height are clamped to at least 1.
RgbImage scaleAreaAverage(const RgbImage& source, int width, int height);
// The same for the top-left sourceWidth × sourceHeight of the source, where a last column or
// row that lies only partly inside counts for that part (a JPEG decoded at 1/8 of 803 pixels
// is 101 pixels wide and covers 100.375 of them).
RgbImage scaleAreaAverageRegion(const RgbImage& source, double sourceWidth, double sourceHeight, int width, int height);

}  // namespace vellumar
