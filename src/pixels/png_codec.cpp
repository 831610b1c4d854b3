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
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    const int width = static_cast<int>(reader.image.width);
    const int height = static_cast<int>(reader.image.height);
    // Indices and their colours: libpng gives each pixel its colour-map entry when it reads the
    // same file as RGB.
    GreyImage indices(width, height);
    std::array<std::uint8_t, 256 * 3> colourMap{};
    reader.finishRead(PNG_FORMAT_RGB_COLORMAP, indices.pixels.data(), name, colourMap.data());
    const std::size_t entries = std::min<std::size_t>(reader.image.colormap_entries, 256);
    bool grey = true;
    for (std::size_t i = 0; i < entries; ++i)
        grey = grey && colourMap[i * 3] == colourMap[i * 3 + 1] && colourMap[i * 3] == colourMap[i * 3 + 2];
    if (grey) {
        for (std::uint8_t& pixel : indices.pixels) pixel = colourMap[std::size_t{pixel} * 3];
        return indices;
    }
    RgbImage result(width, height);
    for (std::size_t i = 0; i < indices.pixels.size(); ++i)
        std::copy_n(colourMap.data() + std::size_t{indices.pixels[i]} * 3, 3, result.pixels.data() + i * 3);
    return result;
}

}  // namespace vellumar
