#include "pixels/picture_header.h"

#include "pixels/picture_error.h"

#include <cstdint>
#include <cstring>

#include <libdeflate.h>

namespace vellumar {

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

std::uint32_t bigEndian32(std::string_view data, std::size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

unsigned bigEndian16(std::string_view data, std::size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
    return (unsigned{b[0]} << 8) | b[1];
}

unsigned littleEndian16(std::string_view data, std::size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
    return (unsigned{b[1]} << 8) | b[0];
}

unsigned char byteAt(std::string_view data, std::size_t at) { return static_cast<unsigned char>(data[at]); }

// Where the JPEG's markers are: its frame header (the size) and its first scan.
struct JpegLayout {
    PictureSize size;
    std::size_t firstScan = 0;
};

bool isStartOfFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments from the start of the file to the first scan. With needScan false
// it stops at the frame header.
JpegLayout readJpegLayout(std::string_view data, std::string_view name, bool needScan)
{
    if (data.size() < 4 || byteAt(data, 0) != 0xFF || byteAt(data, 1) != 0xD8)
        throw pictureDecodeError(name, "not a JPEG file");
    JpegLayout layout;
    bool frameSeen = false;
    std::size_t at = 2;
    for (;;) {
        // Stray bytes between segments are skipped, as decoders do.
        while (at < data.size() && byteAt(data, at) != 0xFF) ++at;
        while (at < data.size() && byteAt(data, at) == 0xFF) ++at;  // fill bytes
        if (at >= data.size()) break;
        const unsigned char marker = byteAt(data, at++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no segment
        if (marker == 0xD8 || marker == 0xD9) break;
        if (at + 2 > data.size()) break;
        const unsigned length = bigEndian16(data, at);
        if (length < 2 || at + length > data.size()) break;
        if (isStartOfFrame(marker)) {
            if (length < 8) break;
            layout.size = {static_cast<int>(bigEndian16(data, at + 5)), static_cast<int>(bigEndian16(data, at + 3))};
            frameSeen = true;
            if (!needScan) return layout;
        } else if (marker == 0xDA) {
            if (!frameSeen) break;
            layout.firstScan = at + length;
            return layout;
        }
        at += length;
    }
    throw pictureDecodeError(name, frameSeen ? "the JPEG holds no picture data" : "the JPEG header is damaged or cut short");
}

constexpr std::size_t kPngIhdrEnd = 8 + 8 + 13 + 4;

PictureSize readPngSize(std::string_view data, std::string_view name)
{
    if (data.substr(0, kPngSignature.size()) != kPngSignature) throw pictureDecodeError(name, "not a PNG file");
    if (data.size() < kPngIhdrEnd || bigEndian32(data, 8) != 13 || data.substr(12, 4) != "IHDR")
        throw pictureDecodeError(name, "the PNG header is damaged or cut short");
    const std::uint32_t width = bigEndian32(data, 16);
    const std::uint32_t height = bigEndian32(data, 20);
    checkPictureSize(width, height, name);
    return {static_cast<int>(width), static_cast<int>(height)};
}

bool validPngFormat(unsigned bitDepth, unsigned colourType)
{
    switch (colourType) {
    case 0: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case 3: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:
    case 4:
    case 6: return bitDepth == 8 || bitDepth == 16;
    default: return false;
    }
}

void checkPngWhole(std::string_view data, std::string_view name)
{
    readPngSize(data, name);
    if (!validPngFormat(byteAt(data, 24), byteAt(data, 25)) || byteAt(data, 26) != 0 || byteAt(data, 27) != 0 ||
        byteAt(data, 28) > 1)
        throw pictureDecodeError(name, "the PNG header names an unknown kind of picture");
    bool imageData = false;
    std::size_t at = kPngSignature.size();
    for (;;) {
        if (data.size() - at < 12) throw pictureDecodeError(name, "the PNG file is cut short");
        const std::uint32_t length = bigEndian32(data, at);
        if (length > 0x7FFFFFFFu || data.size() - at - 12 < length) throw pictureDecodeError(name, "the PNG file is cut short");
        const std::string_view typeAndData = data.substr(at + 4, 4 + length);
        // libdeflate's CRC-32 (the PNG and zlib one) folds with carry-less multiplies where it can.
        const std::uint32_t crc = libdeflate_crc32(0, typeAndData.data(), typeAndData.size());
        if (crc != bigEndian32(data, at + 8 + length)) throw pictureDecodeError(name, "a PNG chunk is damaged (checksum)");
        const std::string_view type = typeAndData.substr(0, 4);
        if (type == "IDAT") imageData = imageData || length > 0;
        if (type == "IEND") break;
        at += 12 + length;
    }
    if (!imageData) throw pictureDecodeError(name, "the PNG holds no picture data");
}

void checkJpegWhole(std::string_view data, std::string_view name)
{
    const JpegLayout layout = readJpegLayout(data, name, true);
    checkPictureSize(layout.size.width, layout.size.height, name);
    // Inside entropy-coded data a 0xFF byte is always followed by 0x00 or a restart marker, so
    // the end-of-picture marker after the first scan is the picture's own end.
    const std::size_t end = data.rfind("\xFF\xD9");
    if (end == std::string_view::npos || end < layout.firstScan) throw pictureDecodeError(name, "the JPEG file is cut short");
}

}  // namespace

PictureSize readHeaderSize(std::string_view data, PictureFormat format, std::string_view name)
{
    switch (format) {
    case PictureFormat::Png: return readPngSize(data, name);
    case PictureFormat::Jpeg: {
        const PictureSize size = readJpegLayout(data, name, false).size;
        checkPictureSize(size.width, size.height, name);
        return size;
    }
    case PictureFormat::Gif: {
        if (data.size() < 10 || (data.substr(0, 6) != "GIF87a" && data.substr(0, 6) != "GIF89a"))
            throw pictureDecodeError(name, "not a GIF file");
        const PictureSize size{static_cast<int>(littleEndian16(data, 6)), static_cast<int>(littleEndian16(data, 8))};
        checkPictureSize(size.width, size.height, name);
        return size;
    }
    }
    return {};
}

void checkPictureWhole(std::string_view data, PictureFormat format, std::string_view name)
{
    switch (format) {
    case PictureFormat::Png: checkPngWhole(data, name); return;
    case PictureFormat::Jpeg: checkJpegWhole(data, name); return;
    case PictureFormat::Gif: readHeaderSize(data, format, name); return;
    }
}

}  // namespace vellumar
