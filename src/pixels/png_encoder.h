#pragma once
// Writing 8-bit RGB pictures as PNG: rows filtered here, the image data compressed with
// libdeflate (a deflate stream at the asked level like zlib's, made about twice as fast), and
// the chunks written with their checksums.

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

// A PNG file's bytes: 8-bit RGB, not interlaced, no ancillary chunks (no transparency).
// Throws PictureError for a picture without pixels or when memory runs out.
std::string encodePng(const RgbImage& image, const PngWriteOptions& options = {});
// encodePng written whole (or not at all) to path. Throws PictureError naming the file.
void writePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options = {});

}  // namespace vellumar
