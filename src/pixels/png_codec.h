#pragma once
// PNG through libpng: decoding any PNG into 8-bit RGB (encoding is in png_encoder.h).
// libpng's errors come back as PictureError; its handlers never exit or abort.

#include "pixels/png_encoder.h"
#include "pixels/rgb_image.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumar {

// Width and height from the header; `name` is the picture's name for error messages.
// Throws PictureError for anything that is not a PNG or is over the size limits.
PictureSize readPngSize(std::string_view data, std::string_view name);
// The whole picture as RGB; grey and palette pictures become RGB, 16-bit samples become 8-bit
// and transparency is flattened onto white. Throws PictureError for corrupt, truncated or
// oversized pictures.
RgbImage decodePng(std::string_view data, std::string_view name);

}  // namespace vellumar
