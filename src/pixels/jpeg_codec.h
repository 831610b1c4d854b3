#pragma once
// JPEG through libjpeg-turbo: decoding (optionally at a reduced DCT scale) into 8-bit RGB,
// and encoding colour baseline JPEGs. libjpeg's errors come back as PictureError; its error
// handler never exits the process.

#include "pixels/rgb_image.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vellumar {

// Width and height from the header; `name` is the picture's name for error messages.
// Throws PictureError for anything that is not a JPEG or is over the size limits.
PictureSize readJpegSize(std::string_view data, std::string_view name);

// The whole picture as RGB. `reduction` (1, 2, 4 or 8) makes libjpeg decode at that fraction
// of the full size (each side rounded up), which is much faster for large photographs. Grey,
// YCbCr, CMYK and YCCK pictures are all turned into RGB. Throws PictureError for corrupt,
// truncated or oversized pictures.
RgbImage decodeJpeg(std::string_view data, std::string_view name, int reduction = 1);

// A colour, baseline (not progressive) JPEG of the picture.
std::string encodeJpeg(const RgbImage& image, int quality = 90);
// encodeJpeg written whole (or not at all) to path. Throws PictureError naming the file.
void writeJpeg(const RgbImage& image, const std::filesystem::path& path, int quality = 90);

}  // namespace vellumar
