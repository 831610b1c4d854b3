#pragma once
// A decoded grey picture: one byte per pixel, rows top to bottom, no padding.

#include <cstdint>
#include <vector>

namespace vellumar {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height bytes

    GreyImage() = default;
    GreyImage(int w, int h, std::uint8_t fill = 255)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }
    std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
    const std::uint8_t* row(int y) const
    {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
};

// Area averaging as scaleAreaAverage of an RGB picture does it: the same picture held as RGB
// (each pixel's grey in all three channels) gives these values in every channel, to the bit.
// width and height are clamped to at least 1.
GreyImage scaleAreaAverage(const GreyImage& source, int width, int height);

}  // namespace vellumar
