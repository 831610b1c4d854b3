#include "images/png_codec.h"

#include "images/picture_error.h"
#include "images/picture_file.h"

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
        if (!hasPngSignature(data)) throw PictureDecodeError(name, "not a PNG file");
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
            throw PictureDecodeError(name, image.message);
        if (image.width > static_cast<png_uint_32>(kMaxPictureSide) ||
            image.height > static_cast<png_uint_32>(kMaxPictureSide)) {
            png_image_free(&image);
            CheckPictureSize(image.width, image.height, name);
        }
    }
    SimplePngReader(const SimplePngReader&) = delete;
    SimplePngReader& operator=(const SimplePngReader&) = delete;
    ~SimplePngReader() { png_image_free(&image); }
};

// What the write callbacks share with encodeInto(): the output and the first error text.
struct PngWriteState {
    std::string* out = nullptr;
    bool outOfMemory = false;
    char message[160] = {};
};

[[noreturn]] void onPngError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<PngWriteState*>(png_get_error_ptr(png));
    if (state != nullptr && state->message[0] == '\0')
        std::snprintf(state->message, sizeof state->message, "%s", message != nullptr ? message : "libpng error");
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void onPngWrite(png_structp png, png_bytep data, size_t length)
{
    auto* state = static_cast<PngWriteState*>(png_get_io_ptr(png));
    try {
        state->out->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        state->outOfMemory = true;
    }
    // Leave the handler before jumping: an exception object must not be skipped by longjmp.
    if (state->outOfMemory) png_error(png, "out of memory");
}

void onPngFlush(png_structp) {}

// Only plain C data lives in this frame, so libpng's longjmp back into it skips no destructor.
bool encodeInto(const RgbImage& image, const PngWriteOptions& options, PngWriteState& state)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, onPngError, onPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, onPngWrite, onPngFlush);
    png_set_compression_level(png, std::clamp(options.compressionLevel, 0, 9));
    switch (options.filter) {
    case PngRowFilter::None: png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE); break;
    case PngRowFilter::Sub: png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB); break;
    case PngRowFilter::Default: break;
    }
    png_set_compression_buffer_size(png, std::clamp<std::size_t>(options.maxIdatBytes, 64, 0x7FFFFFFF));
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) png_write_row(png, const_cast<png_bytep>(image.row(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const RgbImage& image, const PngWriteOptions& options)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3)
        throw PictureError("cannot encode a PNG picture: the picture has no pixels");
    std::string out;
    out.reserve(image.pixels.size() / 4 + 1024);
    PngWriteState state;
    state.out = &out;
    if (!encodeInto(image, options, state))
        throw PictureError(std::string("cannot encode a PNG picture: ") +
                           (state.message[0] != '\0' ? state.message : "out of memory"));
    return out;
}

void WritePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options)
{
    WritePictureFile(path, EncodePng(image, options));
}

PictureSize ReadPngSize(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    CheckPictureSize(reader.image.width, reader.image.height, name);
    return {static_cast<int>(reader.image.width), static_cast<int>(reader.image.height)};
}

RgbImage DecodePng(std::string_view data, std::string_view name)
{
    SimplePngReader reader(data, name);
    CheckPictureSize(reader.image.width, reader.image.height, name);
    reader.image.format = PNG_FORMAT_RGB;
    RgbImage result(static_cast<int>(reader.image.width), static_cast<int>(reader.image.height));
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&reader.image, &white, result.pixels.data(), 0, nullptr))
        throw PictureDecodeError(name, reader.image.message);
    return result;
}

}  // namespace vellumar
