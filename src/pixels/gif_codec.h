#pragma once
// GIF through giflib: the first frame of a GIF as 8-bit RGB.

#include "pixels/rgb_image.h"

#include <string_view>

namespace vellumar {

// Width and height of the GIF's logical screen; `name` is the picture's name for errors.
PictureSize readGifSize(std::string_view data, std::string_view name);

// The first frame drawn on its logical screen: transparent pixels, and the screen around a
// frame smaller than it, are white; later frames of an animation are not read. Throws
// PictureError for corrupt, truncated or oversized pictures.
RgbImage decodeGif(std::string_view data, std::string_view name);

}  // namespace vellumar
