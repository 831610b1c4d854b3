#include "pixels/png_codec.h"

#include "pixels/picture_error.h"
#include "pixels/picture_file.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <png.h>

namespace vellumar {

namespace {

constexpr std::size_t kPngSignatureSize = 8;

bool hasPngSignature(std::string_view data)
{
    return data.size() >= kPngSignatureSize &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(data.data()), 0, kPngSignatureSize) == 0;
}

// The simplified reading interface catches libpng's errors itself (setjmp inside libpng) and
// reports them in image.message; it never exits the process.
struct SimplePngReader {
    png_image image{};
    explicit SimplePngReader(std::string_view data, std::string_view name)
    {
        if (!hasPngSignature(data)) throw pictureDecodeError(name, "not a PNG file");
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
            throw pictureDecodeError(name, image.message);
        if (image.width > static_cast<png_uint_32>(kMaxPictureSide) ||
            image.height > static_cast<png_uint_32>(kMaxPictureSide)) {
            png_image_free(&image);
            checkPictureSize(image.width, image.height, name);
        }
    }
    // The pixels in `format` into `buffer`, transparency flattened onto white; for a colour-map
    // format, the colours go to `colourMap` (room for 256).
    void finishRead(png_uint_32 format, void* buffer, std::string_view name, void* colourMap = nullptr)
    {
        image.format = format;
        const png_color white{255, 255, 255};
        if (!png_image_finish_read(&image, &white, buffer, 0, colourMap)) throw pictureDecodeError(name, image.message);
    }
    SimplePngReader(const SimplePngReader&) = delete;
    SimplePngReader& operator=(const SimplePngReader&) = delete;
    ~SimplePngReader() { png_image_free(&image); }
};

std::uint32_t bigEndian32(std::string_view data, std::size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

// What the chunks before the image data say of a palette picture: whether its file gamma (when
// it names one) is sRGB's, which libpng then leaves alone. Read before libpng has checked the
// chunks, so every length is checked against the bytes there are.
bool hasPlainGamma(std::string_view data)
{
    std::size_t at = kPngSignatureSize;
    while (at <= data.size() && data.size() - at >= 12) {
        const std::uint32_t length = bigEndian32(data, at);
        if (length > data.size() - at - 12) return false;
        const std::string_view type = data.substr(at + 4, 4);
        if (type == "IDAT") return true;
        if (type == "gAMA") {
            // libpng takes a gamma within 5 % of sRGB's 0.45455 as sRGB; 4 % stays clear of it.
            const double gamma = length == 4 ? bigEndian32(data, at + 8) / 100000.0 : 0.0;
            return gamma > 0.45455 * 0.96 && gamma < 0.45455 * 1.04;
        }
        at += 12 + std::size_t{length};
    }
    return false;
}

}  // namespace

PictureSize readPngSize(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    return {static_cast<int>(reader.image.width), static_cast<int>(reader.image.height)};
}

PngKind readPngKind(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    if ((reader.image.format & PNG_FORMAT_FLAG_COLORMAP) != 0)
        return {PngColours::Palette, static_cast<int>(reader.image.colormap_entries)};
    return {(reader.image.format & PNG_FORMAT_FLAG_COLOR) != 0 ? PngColours::Rgb : PngColours::Grey, 0};
}

RgbImage decodePng(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    RgbImage result(static_cast<int>(reader.image.width), static_cast<int>(reader.image.height));
    reader.finishRead(PNG_FORMAT_RGB, result.pixels.data(), name);
    return result;
}

GreyImage decodePngGrey(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    GreyImage result(static_cast<int>(reader.image.width), static_cast<int>(reader.image.height));
    reader.finishRead(PNG_FORMAT_GRAY, result.pixels.data(), name);
    return result;
}

std::variant<GreyImage, RgbImage> decodePalettePng(std::string_view data, std::string_view name)
{
    // An opaque palette in sRGB's gamma is read as indices and their colours, which libpng's RGB
    // reading gives each pixel as they are. With transparency or another gamma its colour-map
    // reading flattens and converts a little differently (by up to 8 of 255) from its RGB
    // reading: such pictures are read as RGB.
    RgbImage rgb;
    {
        SimplePngReader reader(data, name);
        checkPictureSize(reader.image.width, reader.image.height, name);
        if ((reader.image.format & PNG_FORMAT_FLAG_ALPHA) != 0 || !hasPlainGamma(data)) {
            rgb = decodePng(data, name);
        } else {
            GreyImage indices(static_cast<int>(reader.image.width), static_cast<int>(reader.image.height));
            std::array<std::uint8_t, 256 * 3> colourMap{};
            reader.finishRead(PNG_FORMAT_RGB_COLORMAP, indices.pixels.data(), name, colourMap.data());
            bool grey = true;
            for (std::size_t i = 0; i < colourMap.size(); i += 3)
                grey = grey && colourMap[i] == colourMap[i + 1] && colourMap[i] == colourMap[i + 2];
            if (grey) {
                for (std::uint8_t& pixel : indices.pixels) pixel = colourMap[std::size_t{pixel} * 3];
                return indices;
            }
            rgb = RgbImage(indices.width, indices.height);
            for (std::size_t i = 0; i < indices.pixels.size(); ++i)
                std::copy_n(colourMap.data() + std::size_t{indices.pixels[i]} * 3, 3, rgb.pixels.data() + i * 3);
        }
    }
    // Kept as grey when every pixel is.
    const std::uint8_t* p = rgb.pixels.data();
    const std::uint8_t* end = p + rgb.pixels.size();
    while (p != end && p[0] == p[1] && p[0] == p[2]) p += 3;
    if (p != end) return rgb;
    GreyImage grey(rgb.width, rgb.height);
    for (std::size_t i = 0; i < grey.pixels.size(); ++i) grey.pixels[i] = rgb.pixels[i * 3];
    return grey;
}

}  // namespace vellumar
