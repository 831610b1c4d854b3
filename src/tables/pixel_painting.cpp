#include "tables/pixel_painting.h"

#include <algorithm>
#include <cstring>

namespace vellumar {

PixelRect clipToImage(const PixelRect& rect, const RgbImage& image)
{
    const int left = std::max(rect.x, 0);
    const int top = std::max(rect.y, 0);
    // 64 bits: sizes may come near the int limits.
    const long long right = std::min<long long>(static_cast<long long>(rect.x) + rect.width, image.width);
    const long long bottom = std::min<long long>(static_cast<long long>(rect.y) + rect.height, image.height);
    PixelRect clipped{left, top, 0, 0};
    if (right > left && bottom > top) {
        clipped.width = static_cast<int>(right - left);
        clipped.height = static_cast<int>(bottom - top);
    }
    return clipped;
}

void fillRect(RgbImage& image, const PixelRect& rect, std::uint8_t grey)
{
    const PixelRect r = clipToImage(rect, image);
    for (int y = r.y; y < r.y + r.height; ++y)
        std::memset(image.row(y) + static_cast<std::size_t>(r.x) * 3, grey, static_cast<std::size_t>(r.width) * 3);
}

void horizontalLine(RgbImage& image, int x, int y, int length, std::uint8_t grey)
{
    fillRect(image, {x, y, length, 1}, grey);
}

void verticalLine(RgbImage& image, int x, int y, int length, std::uint8_t grey)
{
    fillRect(image, {x, y, 1, length}, grey);
}

}  // namespace vellumar
