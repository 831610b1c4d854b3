// A shrunk PNG keeps its source's kind: grey gives grey with the very values of the RGB shrink,
// a palette gives a palette close to them, RGB gives RGB. Sources of every kind are written
// here with libpng, and checked against libpng's decoding of the source, shrunk as RGB.

#include "pixels/fit_to_box.h"
#include "pixels/picture_scaling.h"
#include "pixels/png_codec.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <png.h>

#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

namespace vellumar {
namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;

// The sample of channel c (0 .. 3, 3 the alpha) of pixel (x, y), out of 0 .. 255: a drawing of
// strokes on paper with a few tones, and an alpha that fades across the picture.
int sampleAt(int x, int y, int c)
{
    if (c == 3) return (x * 255) / (kWidth - 1);
    const int tone = ((x / 4 + y / 3) % 5 == 0) ? 0 : ((x + 2 * y) % 11 == 0) ? 128 : 255;
    return c == 0 ? tone : c == 1 ? (tone + 60 * (y % 2)) % 256 : (tone * 3 / 4);
}

void appendToString(png_structp png, png_bytep data, std::size_t size)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

struct Source {
    const char* name;
    int colourType;  // PNG_COLOR_TYPE_*
    int bitDepth;
    bool transparency;   // tRNS for grey and palette pictures
    int expectedType;    // the shrunk picture's colour type
    double gamma = 0;    // gAMA when above 0
    bool greys = false;  // a palette of the drawing's first channel only
};

// The source as a PNG written by libpng's own writer: greys from channel 0, a palette of the
// distinct colours of the drawing, or RGB(A) with 16-bit samples spread from the 8-bit ones.
std::string sourcePng(const Source& source)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write " << source.name;
        return {};
    }
    png_set_write_fn(png, &out, appendToString, nullptr);
    png_set_IHDR(png, info, kWidth, kHeight, source.bitDepth, source.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const bool palette = source.colourType == PNG_COLOR_TYPE_PALETTE;
    std::vector<png_color> colours;
    std::vector<int> indexOf(kWidth * kHeight);
    if (palette) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int green = sampleAt(x, y, source.greys ? 0 : 1);
                const int blue = sampleAt(x, y, source.greys ? 0 : 2);
                const png_color colour{static_cast<png_byte>(sampleAt(x, y, 0)), static_cast<png_byte>(green),
                                       static_cast<png_byte>(blue)};
                std::size_t i = 0;
                while (i < colours.size() && (colours[i].red != colour.red || colours[i].green != colour.green ||
                                              colours[i].blue != colour.blue))
                    ++i;
                if (i == colours.size()) colours.push_back(colour);
                indexOf[y * kWidth + x] = static_cast<int>(i);
            }
        png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
        if (source.transparency) {
            const png_byte alpha[2] = {0, 128};  // the first colour clear, the second half
            png_set_tRNS(png, info, alpha, 2, nullptr);
        }
    } else if (source.transparency) {
        png_color_16 clear{};
        clear.gray = static_cast<png_uint_16>(128 * ((1 << source.bitDepth) - 1) / 255);  // the mid tone is see-through
        png_set_tRNS(png, info, nullptr, 0, &clear);
    }
    if (source.gamma > 0) png_set_gAMA(png, info, source.gamma);
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const int maxSample = (1 << source.bitDepth) - 1;
    for (int y = 0; y < kHeight; ++y) {
        std::vector<png_byte> row(png_get_rowbytes(png, info), 0);
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const bool alpha = (source.colourType & PNG_COLOR_MASK_ALPHA) != 0 && c == channels - 1;
                const int value = palette ? indexOf[y * kWidth + x] : sampleAt(x, y, alpha ? 3 : c);
                if (source.bitDepth == 16) {
                    const int wide = std::min(value * 257 + (x * 37 + y) % 200, 65535);
                    row[(x * channels + c) * 2] = static_cast<png_byte>(wide >> 8);
                    row[(x * channels + c) * 2 + 1] = static_cast<png_byte>(wide & 255);
                } else if (source.bitDepth == 8) {
                    row[x * channels + c] = static_cast<png_byte>(value);
                } else {  // packed: a palette index or a grey level, the leftmost pixel highest
                    const int perByte = 8 / source.bitDepth;
                    const int packed = palette ? value : value * maxSample / 255;
                    row[x / perByte] =
                        static_cast<png_byte>(row[x / perByte] | (packed << (8 - source.bitDepth * (x % perByte + 1))));
                }
            }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

int colourTypeOf(const std::string& png) { return png.size() > 25 ? static_cast<unsigned char>(png[25]) : -1; }

class ShrunkPngKind : public ::testing::TestWithParam<Source> {};

TEST_P(ShrunkPngKind, KeepsTheSourcesKindAndItsPixels)
{
    const Source& source = GetParam();
    const std::string png = sourcePng(source);
    ConversionOptions options;
    options.maxWidth = 40;
    options.maxHeight = 40;
    const std::string shrunk = shrinkPngBytes(png, options, "drawing.png");
    EXPECT_EQ(colourTypeOf(shrunk), source.expectedType);

    const RgbImage original = decodePng(png, "drawing.png");
    const PictureSize box = fitToBox(kWidth, kHeight, options.maxWidth, options.maxHeight);
    const RgbImage expected = scaleAreaAverage(original, box.width, box.height);
    const RgbImage decoded = decodePng(shrunk, "shrunk.png");
    ASSERT_EQ(decoded.width, expected.width);
    ASSERT_EQ(decoded.height, expected.height);
    int worst = 0;
    long long total = 0;
    for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
        const int error = std::abs(decoded.pixels[i] - expected.pixels[i]);
        worst = std::max(worst, error);
        total += error;
    }
    if (source.expectedType != PNG_COLOR_TYPE_PALETTE) {
        EXPECT_EQ(worst, 0) << "grey and RGB pictures keep the RGB shrink's values exactly";
    } else {
        // Twice the source's colours for the blends at the edges: small errors, at edges only.
        EXPECT_LE(worst, 48);
        EXPECT_LE(static_cast<double>(total) / static_cast<double>(expected.pixels.size()), 3.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ShrunkPngKind,
    ::testing::Values(Source{"grey1", PNG_COLOR_TYPE_GRAY, 1, false, PNG_COLOR_TYPE_GRAY},
                      Source{"grey2_transparent", PNG_COLOR_TYPE_GRAY, 2, true, PNG_COLOR_TYPE_GRAY},
                      Source{"grey4", PNG_COLOR_TYPE_GRAY, 4, false, PNG_COLOR_TYPE_GRAY},
                      Source{"grey8", PNG_COLOR_TYPE_GRAY, 8, false, PNG_COLOR_TYPE_GRAY},
                      Source{"grey8_transparent", PNG_COLOR_TYPE_GRAY, 8, true, PNG_COLOR_TYPE_GRAY},
                      Source{"grey16", PNG_COLOR_TYPE_GRAY, 16, false, PNG_COLOR_TYPE_GRAY},
                      Source{"grey_alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, PNG_COLOR_TYPE_GRAY},
                      Source{"grey_alpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, PNG_COLOR_TYPE_GRAY},
                      Source{"palette4", PNG_COLOR_TYPE_PALETTE, 4, false, PNG_COLOR_TYPE_PALETTE},
                      Source{"palette8", PNG_COLOR_TYPE_PALETTE, 8, false, PNG_COLOR_TYPE_PALETTE},
                      Source{"palette_transparent", PNG_COLOR_TYPE_PALETTE, 8, true, PNG_COLOR_TYPE_PALETTE},
                      Source{"grey_palette", PNG_COLOR_TYPE_PALETTE, 4, false, PNG_COLOR_TYPE_PALETTE, 0, true},
                      Source{"grey_palette_gamma_transparent", PNG_COLOR_TYPE_PALETTE, 8, true, PNG_COLOR_TYPE_PALETTE,
                             1.0, true},
                      Source{"rgb8", PNG_COLOR_TYPE_RGB, 8, false, PNG_COLOR_TYPE_RGB},
                      Source{"rgb16", PNG_COLOR_TYPE_RGB, 16, false, PNG_COLOR_TYPE_RGB},
                      Source{"rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, PNG_COLOR_TYPE_RGB},
                      Source{"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, PNG_COLOR_TYPE_RGB}),
    vellumar::testing_support::CaseName{});

// A palette picture is read as grey when all its colours are grey, and either way with the
// values libpng's RGB reading gives, whatever its gamma and transparency.
TEST(PalettePngReading, GivesTheRgbReadingsValuesAsGreyOrRgb)
{
    for (const bool greys : {true, false})
        for (const bool transparency : {false, true})
            for (const double gamma : {0.0, 0.45455, 1.0, 0.7}) {
                SCOPED_TRACE(std::string(greys ? "greys" : "colours") + (transparency ? " with tRNS" : "") + " gamma " +
                             std::to_string(gamma));
                const std::string png = sourcePng(
                    {"palette", PNG_COLOR_TYPE_PALETTE, 8, transparency, PNG_COLOR_TYPE_PALETTE, gamma, greys});
                const RgbImage expected = decodePng(png, "p.png");
                const std::variant<GreyImage, RgbImage> read = decodePalettePng(png, "p.png");
                ASSERT_EQ(std::holds_alternative<GreyImage>(read), greys);
                if (const GreyImage* grey = std::get_if<GreyImage>(&read)) {
                    ASSERT_EQ(grey->pixels.size() * 3, expected.pixels.size());
                    for (std::size_t i = 0; i < grey->pixels.size(); ++i)
                        ASSERT_EQ(grey->pixels[i], expected.pixels[i * 3]) << "pixel " << i;
                } else {
                    EXPECT_EQ(std::get<RgbImage>(read).pixels, expected.pixels);
                }
            }
}

}  // namespace
}  // namespace vellumar
