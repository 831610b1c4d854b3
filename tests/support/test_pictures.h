#pragma once
// Pictures for the tests, made in memory and written with the real codec libraries.

#include "pixels/rgb_image.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumar::test {

// A smooth colour gradient with a few sharp edges: compresses like a photograph.
RgbImage gradientPicture(int width, int height);
// FNV-1a of the pixel bytes, for golden comparisons of decoded pictures.
std::uint64_t pixelHash(const RgbImage& image);
// Largest difference of any sample between two pictures of the same size (255 if sizes differ).
int maxSampleDifference(const RgbImage& a, const RgbImage& b);

// A PNG written by libpng's simplified writer in one of its formats (PNG_FORMAT_*), every
// pixel taken from `rgba` (a colour with alpha).
std::string pngBytes(int width, int height, unsigned format, std::uint32_t rgba);
// A PNG whose header announces width × height but carries only a few bytes of data.
std::string pngHeaderOnly(std::uint32_t width, std::uint32_t height);

// A GIF written by giflib: `width` × `height`, colour 0 black, 1 red, 2 green, 3 transparent when
// `transparentIndex` is 3, pixel (x, y) gets colour (x + y) % 4 unless `uniform` >= 0.
std::string gifBytes(int width, int height, int transparentIndex = -1, int uniform = -1);

void writeBytes(const std::filesystem::path& path, std::string_view bytes);
std::string readBytes(const std::filesystem::path& path);

}  // namespace vellumar::test

namespace vellumar::test {

// A JPEG written by libjpeg in the given colour space (JCS_GRAYSCALE, JCS_RGB or JCS_CMYK),
// every pixel the same colour (for CMYK the four values come from the bytes of `value`).
std::string jpegBytes(int width, int height, int colorSpace, std::uint32_t value, bool progressive = false);

}  // namespace vellumar::test
