#pragma once
// PNG through libpng: decoding any PNG into 8-bit RGB, and encoding 8-bit RGB pictures.
// libpng's errors come back as PictureError; its handlers never exit or abort.

#include "images/rgb_image.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumar {

enum class PngRowFilter {
    None,     // every row unfiltered
    Sub,      // the Sub filter on every row
    Default,  // libpng's adaptive choice among all filters
};

struct PngWriteOptions {
    int compressionLevel = 8;             // deflate level, 0 to 9
    PngRowFilter filter = PngRowFilter::Default;
    std::size_t maxIdatBytes = 8192;      // data bytes of each IDAT chunk, at most
};

// A PNG file's bytes: 8-bit RGB, not interlaced, no ancillary chunks (no transparency).
// Throws PictureError when libpng fails (only when memory runs out).
std::string EncodePng(const RgbImage& image, const PngWriteOptions& options = {});
// EncodePng written whole (or not at all) to path. Throws PictureError naming the file.
void WritePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options = {});

// Width and height from the header; `name` is the picture's name for error messages.
// Throws PictureError for anything that is not a PNG or is over the size limits.
PictureSize ReadPngSize(std::string_view data, std::string_view name);
// The whole picture as RGB; grey and palette pictures become RGB, 16-bit samples become 8-bit
// and transparency is flattened onto white. Throws PictureError for corrupt, truncated or
// oversized pictures.
RgbImage DecodePng(std::string_view data, std::string_view name);

}  // namespace vellumar
