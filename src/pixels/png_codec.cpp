#include "pixels/png_codec.h"

#include "pixels/picture_error.h"
#include "pixels/picture_file.h"

#include <algorithm>
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

RgbImage decodePng(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    checkPictureSize(reader.image.width, reader.image.height, name);
    reader.image.format = PNG_FORMAT_RGB;
    RgbImage result(static_cast<int>(reader.image.width), static_cast<int>(reader.image.height));
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&reader.image, &white, result.pixels.data(), 0, nullptr))
        throw pictureDecodeError(name, reader.image.message);
    return result;
}

}  // namespace vellumar
