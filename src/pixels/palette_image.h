#pragma once
// A picture of colours from a palette: one palette index per pixel, rows top to bottom, no
// padding.

#include <array>
#include <cstdint>
#include <vector>

namespace vellumar {

struct PaletteImage {
    int width = 0;
    int height = 0;
    std::vector<std::array<std::uint8_t, 3>> palette;  // red, green, blue; at most 256
    std::vector<std::uint8_t> indices;                 // width * height, each below palette.size()

    const std::uint8_t* row(int y) const
    {
        return indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
};

}  // namespace vellumar
