#pragma once
// Reducing an RGB picture to a palette with libimagequant, for writing it as a palette PNG:
// a shrunk drawing from a palette source gets a palette again.

#include "pixels/grey_image.h"
#include "pixels/palette_image.h"
#include "pixels/rgb_image.h"

#include <string_view>

namespace vellumar {

// At most maxColours colours (clamped to 2 .. 256), chosen to keep the squared error small;
// every pixel gets its nearest colour, without dithering (no noise sprinkled over blended
// edges, which also deflate better). Throws PictureError naming `name` when the quantiser
// fails (out of memory).
PaletteImage quantizeToPalette(const RgbImage& picture, int maxColours, std::string_view name);
// The same for a grey picture (every palette colour then grey too, or nearly so).
PaletteImage quantizeToPalette(const GreyImage& picture, int maxColours, std::string_view name);

}  // namespace vellumar
