#pragma once
// What a picture file's first bytes tell without decoding it: its size (JPEG start-of-frame,
// PNG IHDR, GIF logical screen), and whether the file is whole. A picture that fits the box is
// embedded as it is, so these checks are all the reading it gets.

#include "pixels/rgb_image.h"

#include <string_view>

namespace vellumar {

enum class PictureFormat { Jpeg, Png, Gif };

// The size the header announces. Throws PictureError naming `name` when the bytes are not a
// picture of that format, the header is cut short, or the size is empty or over the limits.
PictureSize readHeaderSize(std::string_view data, PictureFormat format, std::string_view name);

// Throws PictureError naming `name` when the file is visibly incomplete or damaged: a PNG whose
// chunks do not run whole, with matching checksums, from IHDR through image data to IEND; a
// JPEG without a scan or without the end-of-picture marker after it. GIFs are always decoded
// (they are re-written as JPEG), so only their header is checked here. Pixel data itself is
// not decoded.
void checkPictureWhole(std::string_view data, PictureFormat format, std::string_view name);

}  // namespace vellumar
