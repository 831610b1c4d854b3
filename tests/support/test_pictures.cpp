#include "support/test_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

namespace vellumar::test {

RgbImage gradientPicture(int width, int height)
{
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<std::uint8_t>(x * 255 / std::max(width - 1, 1));
            row[x * 3 + 1] = static_cast<std::uint8_t>(y * 255 / std::max(height - 1, 1));
            row[x * 3 + 2] = ((x / 16 + y / 16) % 2 == 0) ? 40 : 200;
        }
    }
    return image;
}

std::uint64_t pixelHash(const RgbImage& image)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t b : image.pixels) hash = (hash ^ b) * 1099511628211ull;
    return hash ^ (static_cast<std::uint64_t>(image.width) << 32) ^ static_cast<std::uint64_t>(image.height);
}

int maxSampleDifference(const RgbImage& a, const RgbImage& b)
{
    if (a.width != b.width || a.height != b.height) return 255;
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) worst = std::max(worst, std::abs(a.pixels[i] - b.pixels[i]));
    return worst;
}

std::string pngBytes(int width, int height, unsigned format, std::uint32_t rgba)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    const std::size_t channels = PNG_IMAGE_SAMPLE_CHANNELS(format);
    const std::size_t sampleSize = PNG_IMAGE_SAMPLE_COMPONENT_SIZE(format);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * channels * sampleSize);
    const std::uint8_t r = rgba >> 24, g = (rgba >> 16) & 255, b = (rgba >> 8) & 255, a = rgba & 255;
    const std::uint8_t grey = static_cast<std::uint8_t>((r + g + b) / 3);
    std::vector<std::uint8_t> pixel;
    if (channels == 1) pixel = {grey};
    if (channels == 2) pixel = {grey, a};
    if (channels == 3) pixel = {r, g, b};
    if (channels == 4) pixel = {r, g, b, a};
    for (std::size_t i = 0; i < pixels.size(); i += channels * sampleSize)
        for (std::size_t c = 0; c < channels; ++c)
            for (std::size_t s = 0; s < sampleSize; ++s) pixels[i + c * sampleSize + s] = pixel[c];
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    std::string out(size, '\0');
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    out.resize(size);
    return out;
}

namespace {

void appendChunk(std::string& out, std::string_view type, std::string_view data)
{
    const auto put32 = [&out](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 255));
    };
    put32(static_cast<std::uint32_t>(data.size()));
    std::string body(type);
    body.append(data);
    out.append(body);
    put32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

std::string pngHeaderOnly(std::uint32_t width, std::uint32_t height)
{
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(static_cast<char>((v >> shift) & 255));
    ihdr.append("\x08\x02\x00\x00\x00", 5);
    appendChunk(out, "IHDR", ihdr);
    // A tiny deflate stream of zeros: far less data than the header announces.
    const std::string zeros(64, '\0');
    std::string packed(128, '\0');
    uLongf packedSize = packed.size();
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(zeros.data()),
              zeros.size(), 9);
    packed.resize(packedSize);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", "");
    return out;
}

namespace {

int writeToString(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

}  // namespace

std::string gifBytes(int width, int height, int transparentIndex, int uniform)
{
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToString, &error);
    if (gif == nullptr) throw std::runtime_error("EGifOpen failed");
    const GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 2, 0, map) == GIF_OK;
    if (ok && transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        for (int x = 0; x < width; ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(uniform >= 0 ? uniform : (x + y) % 4);
        ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok) throw std::runtime_error("writing the GIF failed");
    return out;
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace vellumar::test

#include <cstdio>
#include <jpeglib.h>

namespace vellumar::test {

std::string jpegBytes(int width, int height, int colorSpace, std::uint32_t value, bool progressive)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    const auto space = static_cast<J_COLOR_SPACE>(colorSpace);
    cinfo.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * cinfo.input_components);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<JSAMPLE>(value >> (8 * (cinfo.input_components - 1 - static_cast<int>(i % cinfo.input_components))));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

}  // namespace vellumar::test
