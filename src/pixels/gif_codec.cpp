#include "pixels/gif_codec.h"

#include "pixels/picture_error.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gif_lib.h>

namespace vellumar {

namespace {

struct MemoryReader {
    std::string_view data;
    std::size_t at = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int wanted)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted, 0)), reader->data.size() - reader->at);
    std::memcpy(buffer, reader->data.data() + reader->at, count);
    reader->at += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

std::string gifError(int code)
{
    const char* text = GifErrorString(code);
    return text != nullptr ? text : "damaged GIF data";
}

// giflib reads through the callback and reports failures by return codes: nothing to trap.
class GifReader {
public:
    GifReader(std::string_view data, std::string_view name) : m_reader{data, 0}, m_name(name)
    {
        if (data.size() < 6 || (data.substr(0, 6) != "GIF87a" && data.substr(0, 6) != "GIF89a"))
            throw pictureDecodeError(name, "not a GIF file");
        int error = 0;
        m_gif.reset(DGifOpen(&m_reader, readFromMemory, &error));
        if (!m_gif) throw pictureDecodeError(name, gifError(error));
    }

    GifFileType* get() const { return m_gif.get(); }
    [[noreturn]] void fail() const { throw pictureDecodeError(m_name, gifError(m_gif->Error)); }
    [[noreturn]] void fail(std::string_view reason) const { throw pictureDecodeError(m_name, reason); }

private:
    MemoryReader m_reader;
    std::string_view m_name;
    GifPtr m_gif;
};

void drawFirstFrame(const GifReader& reader, RgbImage& canvas, int transparent)
{
    GifFileType* gif = reader.get();
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || map->Colors == nullptr) reader.fail("the GIF has no colour table");
    const int width = frame.Width;
    const int height = frame.Height;
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));

    // Interlaced frames arrive in four passes: every 8th row from 0, from 4, every 4th from 2,
    // every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = frame.Interlace ? kStart[pass] : 0;
        const int step = frame.Interlace ? kStep[pass] : 1;
        for (int y = start; y < height; y += step) {
            if (DGifGetLine(gif, line.data(), width) != GIF_OK) reader.fail();
            const int canvasY = frame.Top + y;
            if (canvasY < 0 || canvasY >= canvas.height) continue;
            std::uint8_t* out = canvas.row(canvasY);
            for (int x = 0; x < width; ++x) {
                const int canvasX = frame.Left + x;
                if (canvasX < 0 || canvasX >= canvas.width) continue;
                const int index = line[static_cast<std::size_t>(x)];
                std::uint8_t* pixel = out + static_cast<std::size_t>(canvasX) * 3;
                if (index == transparent) continue;  // the canvas is white already
                if (index >= map->ColorCount) {
                    pixel[0] = pixel[1] = pixel[2] = 0;
                    continue;
                }
                pixel[0] = map->Colors[index].Red;
                pixel[1] = map->Colors[index].Green;
                pixel[2] = map->Colors[index].Blue;
            }
        }
    }
}

}  // namespace

PictureSize readGifSize(std::string_view data, std::string_view name)
{
    GifReader reader(data, name);
    const PictureSize size{reader.get()->SWidth, reader.get()->SHeight};
    checkPictureSize(size.width, size.height, name);
    return size;
}

RgbImage decodeGif(std::string_view data, std::string_view name)
{
    GifReader reader(data, name);
    GifFileType* gif = reader.get();
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK) reader.fail();
        if (record == TERMINATE_RECORD_TYPE) reader.fail("the GIF holds no picture");
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) reader.fail();
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
                GraphicsControlBlock control{};
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) transparent = control.TransparentColor;
            }
            while (block != nullptr)
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) reader.fail();
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) reader.fail("damaged GIF data");
        if (DGifGetImageDesc(gif) != GIF_OK) reader.fail();
        break;
    }

    // The screen, grown when the first frame reaches past it (some writers leave it 0 × 0).
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0) reader.fail("the GIF's first frame has no pixels");
    checkPictureSize(frame.Width, frame.Height, name);
    const long long width = std::max<long long>(gif->SWidth, static_cast<long long>(frame.Left) + frame.Width);
    const long long height = std::max<long long>(gif->SHeight, static_cast<long long>(frame.Top) + frame.Height);
    checkPictureSize(width, height, name);
    RgbImage canvas(static_cast<int>(width), static_cast<int>(height), 255);
    drawFirstFrame(reader, canvas, transparent);
    return canvas;
}

}  // namespace vellumar
