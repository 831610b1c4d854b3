// Feeds arbitrary bytes to the JPEG, PNG and GIF decoders (whole and at reduced JPEG scales),
// their header readers, the PNG shrink (whose output must read back as a PNG within its box),
// and the data: URL and base64 readers. Broken input must end in a PictureError, never in a
// crash, a leak, an abort from a library, or a wrong-sized picture.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/support/fuzz_book.h"
#include "pictures/base64.h"
#include "pictures/data_url.h"
#include "pixels/gif_codec.h"
#include "pixels/jpeg_codec.h"
#include "pixels/picture_error.h"
#include "pixels/picture_scaling.h"
#include "pixels/png_codec.h"

namespace {

using namespace vellumar;

void checkPicture(const RgbImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3)
        std::abort();
    if (static_cast<long long>(image.width) * image.height > kMaxPicturePixels) std::abort();
}

template <typename Decode>
void tryDecode(Decode decode)
{
    try {
        checkPicture(decode());
    } catch (const PictureError&) {
    }
}

// A PNG that shrinks without an error must give a PNG that reads back, of the box's size at most.
void tryShrinkPng(std::string_view bytes)
{
    ConversionOptions box;
    box.maxWidth = 8;
    box.maxHeight = 8;
    std::string shrunk;
    try {
        shrunk = shrinkPngBytes(bytes, box, "fuzz.png");
    } catch (const PictureError&) {
        return;
    }
    try {
        const RgbImage back = decodePng(shrunk, "shrunk.png");
        checkPicture(back);
        if (back.width > box.maxWidth || back.height > box.maxHeight) std::abort();
    } catch (const PictureError&) {
        std::abort();
    }
}

template <typename Read>
void trySize(Read read)
{
    try {
        const PictureSize size = read();
        if (size.width <= 0 || size.height <= 0) std::abort();
    } catch (const PictureError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::addDefaultMaxLen(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int reduction = size > 0 ? 1 << (data[size - 1] % 4) : 1;

    trySize([&] { return readJpegSize(bytes, "fuzz.jpg"); });
    tryDecode([&] { return decodeJpeg(bytes, "fuzz.jpg", reduction); });
    trySize([&] { return readPngSize(bytes, "fuzz.png"); });
    tryDecode([&] { return decodePng(bytes, "fuzz.png"); });
    tryShrinkPng(bytes);
    trySize([&] { return readGifSize(bytes, "fuzz.gif"); });
    tryDecode([&] { return decodeGif(bytes, "fuzz.gif"); });

    // The same bytes as the text of a data: URL, and as base64 of themselves.
    const DataUrlPicture picture = parseDataUrl(bytes);
    if (picture.kind == DataUrlKind::Picture && picture.extension.empty()) std::abort();
    const std::string encoded = encodeBase64(bytes);
    if (decodeBase64(encoded) != std::string(bytes)) std::abort();
    return 0;
}
