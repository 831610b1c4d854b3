#pragma once
// PNG through libpng: decoding any PNG into 8-bit RGB, or a grey one into 8-bit grey (encoding
// is in png_encoder.h).
// libpng's errors come back as PictureError; its handlers never exit or abort.

#include "pixels/grey_image.h"
#include "pixels/png_encoder.h"
#include "pixels/rgb_image.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace vellumar {

// Width and height from the header; `name` is the picture's name for error messages.
// Throws PictureError for anything that is not a PNG or is over the size limits.
PictureSize readPngSize(std::string_view data, std::string_view name);
// The whole picture as RGB; grey and palette pictures become RGB, 16-bit samples become 8-bit
// and transparency is flattened onto white. Throws PictureError for corrupt, truncated or
// oversized pictures.
RgbImage decodePng(std::string_view data, std::string_view name);

// What the header says the pixels are: grey (with or without alpha, any bit depth), colours
// from a palette, or RGB (with or without alpha); for a palette, how many colours it holds.
enum class PngColours { Grey, Palette, Rgb };
struct PngKind {
    PngColours colours = PngColours::Rgb;
    int paletteSize = 0;
};
// Throws PictureError as readPngSize does.
PngKind readPngKind(std::string_view data, std::string_view name);
// A grey PNG as grey, read as decodePng reads it: 16-bit samples become 8-bit and transparency
// is flattened onto white, giving the value decodePng gives each channel of every pixel.
// (A colour PNG comes back as libpng's grey of its colours.) Throws as decodePng does.
GreyImage decodePngGrey(std::string_view data, std::string_view name);
// A PNG read as decodePng reads it, kept as grey when every pixel is grey (a palette of greys),
// else as RGB. Throws as decodePng.
std::variant<GreyImage, RgbImage> decodePalettePng(std::string_view data, std::string_view name);

}  // namespace vellumar
