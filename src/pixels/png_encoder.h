#pragma once
// Writing RGB, grey and palette pictures as PNG: rows filtered here, the image data compressed
// with libdeflate (a deflate stream at the asked level like zlib's, made about twice as fast),
// and the chunks written with their checksums.

#include "pixels/grey_image.h"
#include "pixels/palette_image.h"
#include "pixels/rgb_image.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace vellumar {

enum class PngRowFilter {
    None,      // every row unfiltered
    Sub,       // the Sub filter on every row
    Adaptive,  // per row, the filter whose output has the smallest sum of absolute values
};

struct PngWriteOptions {
    int compressionLevel = 8;  // deflate level, 0 to 9
    PngRowFilter filter = PngRowFilter::Adaptive;
    std::size_t maxIdatBytes = 8192;  // data bytes of each IDAT chunk, at most (every chunk but the last is full)
};

// The picture's rows as PNG image data before compression: each row its filter-type byte and
// its filtered bytes.
std::string filterPngRows(const RgbImage& image, PngRowFilter filter);

// A PNG file's bytes, not interlaced, without ancillary chunks (no transparency): 8-bit RGB,
// 8-bit grey, or a palette of 1, 2, 4 or 8 bits per pixel (the fewest its colours need).
// Throws PictureError for a picture without pixels, a palette image whose palette is empty,
// over 256 colours or short of an index a pixel names, or when memory runs out.
std::string encodePng(const RgbImage& image, const PngWriteOptions& options = {});
std::string encodePng(const GreyImage& image, const PngWriteOptions& options = {});
std::string encodePng(const PaletteImage& image, const PngWriteOptions& options = {});
// encodePng written whole (or not at all) to path. Throws PictureError naming the file.
void writePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options = {});

}  // namespace vellumar
