// Pictures: base64 speed, embedding a large photograph (JPEG and PNG) into the default box,
// area averaging, PNG row filtering and deflating a shrunk line drawing (zlib and libdeflate),
// shrinking palette and grey drawings as their kind and as RGB, and a book of many small
// pictures.

#include <benchmark/benchmark.h>

#include "files/temp_folder.h"
#include "pictures/base64.h"
#include "pictures/picture_embedder.h"
#include "pictures/picture_workers.h"
#include "pixels/jpeg_codec.h"
#include "pixels/palette_quantizer.h"
#include "pixels/picture_file.h"
#include "pixels/picture_scaling.h"
#include "pixels/png_codec.h"
#include "pixels/png_encoder.h"

#include <libdeflate.h>
#include <zlib.h>

#include <cstring>
#include <random>

namespace vellumar {
namespace {

RgbImage lineDrawing(int width, int height);

// Something like a photograph: smooth light over the frame, fine texture, a few hard edges.
RgbImage photograph(int width, int height)
{
    RgbImage image(width, height);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            const int grain = static_cast<int>(random() % 24);
            const int edge = ((x / 300 + y / 200) % 3 == 0) ? 60 : 0;
            row[x * 3] = static_cast<std::uint8_t>((x * 200 / width + grain + edge) % 256);
            row[x * 3 + 1] = static_cast<std::uint8_t>((y * 180 / height + grain) % 256);
            row[x * 3 + 2] = static_cast<std::uint8_t>(((x + y) * 120 / (width + height) + grain + edge / 2) % 256);
        }
    }
    return image;
}

std::string randomBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    std::mt19937_64 random(1);
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t v = random();
        std::memcpy(bytes.data() + i, &v, 8);
    }
    return bytes;
}

void BM_Base64InMemory(benchmark::State& state)
{
    const std::string bytes = randomBytes(16 << 20);
    for (auto _ : state) benchmark::DoNotOptimize(encodeBase64(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Base64InMemory)->Unit(benchmark::kMillisecond);

void BM_EncodeFileBase64(benchmark::State& state)
{
    TempFolder folder;
    const auto path = folder.file("data.bin");
    writePictureFile(path, randomBytes(16 << 20));
    for (auto _ : state) benchmark::DoNotOptimize(encodeFileBase64(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (16 << 20));
}
BENCHMARK(BM_EncodeFileBase64)->Unit(benchmark::kMillisecond);

// One conversion embedding one picture: decode, shrink into 580 × 700, encode, base64.
void embedOnce(PictureEmbedder& embedder, const char* src)
{
    std::string body, binaries;
    embedder.beginConversion();
    embedder.embedPicture(src, body, binaries);
    binaries = joinPieces(embedder.completeBinaries(std::move(binaries)));
    embedder.endConversion();
    benchmark::DoNotOptimize(binaries);
}

void BM_EmbedJpeg6000x4000(benchmark::State& state)
{
    TempFolder folder;
    writeJpeg(photograph(6000, 4000), folder.file("photo.jpg"));
    PictureEmbedder embedder(ConversionOptions{}, folder.path());
    for (auto _ : state) embedOnce(embedder, "photo.jpg");
}
BENCHMARK(BM_EmbedJpeg6000x4000)->Unit(benchmark::kMillisecond);

// The same shrink without the reduced DCT scale: what decoding at 1/4 saves.
void BM_ShrinkJpeg6000x4000FullDecode(benchmark::State& state)
{
    const std::string jpeg = encodeJpeg(photograph(6000, 4000));
    for (auto _ : state) {
        const RgbImage picture = decodeJpeg(jpeg, "photo.jpg", 1);
        benchmark::DoNotOptimize(encodeBase64(encodeJpeg(scaleAreaAverage(picture, 580, 387))));
    }
}
BENCHMARK(BM_ShrinkJpeg6000x4000FullDecode)->Unit(benchmark::kMillisecond);

void BM_EmbedPng4000x3000(benchmark::State& state)
{
    TempFolder folder;
    writePng(photograph(4000, 3000), folder.file("photo.png"));
    PictureEmbedder embedder(ConversionOptions{}, folder.path());
    for (auto _ : state) embedOnce(embedder, "photo.png");
}
BENCHMARK(BM_EmbedPng4000x3000)->Unit(benchmark::kMillisecond);

void BM_ScaleAreaAverage4000x3000(benchmark::State& state)
{
    const RgbImage picture = photograph(4000, 3000);
    for (auto _ : state) benchmark::DoNotOptimize(scaleAreaAverage(picture, 580, 435));
}
BENCHMARK(BM_ScaleAreaAverage4000x3000)->Unit(benchmark::kMillisecond);

// The common shrink of a book's plate: a little over twice the box.
void BM_ScaleAreaAverage1271x654(benchmark::State& state)
{
    const RgbImage picture = lineDrawing(1271, 654);
    for (auto _ : state) benchmark::DoNotOptimize(scaleAreaAverage(picture, 580, 298));
}
BENCHMARK(BM_ScaleAreaAverage1271x654)->Unit(benchmark::kMillisecond);

// The shrink of a music line a little wider than the box: two source pixels under most output
// pixels, each way.
void BM_ScaleAreaAverage605x700(benchmark::State& state)
{
    const RgbImage picture = lineDrawing(605, 700);
    for (auto _ : state) benchmark::DoNotOptimize(scaleAreaAverage(picture, 580, 671));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 605 * 700);
}
BENCHMARK(BM_ScaleAreaAverage605x700)->Unit(benchmark::kMillisecond);

// The row filters a shrunk picture goes through before deflating: all five tried on every row.
void BM_FilterPngRowsAdaptive580x671(benchmark::State& state)
{
    const RgbImage picture = lineDrawing(580, 671);
    for (auto _ : state) benchmark::DoNotOptimize(filterPngRows(picture, PngRowFilter::Adaptive));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 580 * 671 * 3);
}
BENCHMARK(BM_FilterPngRowsAdaptive580x671)->Unit(benchmark::kMillisecond);

// A scanned line drawing after shrinking: white paper, black strokes and hatching, grey edges.
RgbImage lineDrawing(int width, int height)
{
    RgbImage big(width * 2, height * 2);
    std::mt19937 random(11);
    for (int line = 0; line < 160; ++line) {
        const int x0 = static_cast<int>(random() % static_cast<unsigned>(big.width));
        const int y0 = static_cast<int>(random() % static_cast<unsigned>(big.height));
        const int dx = static_cast<int>(random() % 7) - 3;
        const int dy = static_cast<int>(random() % 7) - 3;
        for (int step = 0; step < 400; ++step) {
            const int x = x0 + dx * step / 2;
            const int y = y0 + dy * step / 2;
            if (x < 0 || y < 0 || x + 2 >= big.width || y + 2 >= big.height) break;
            for (int k = 0; k < 3; ++k) {
                std::uint8_t* p = big.row(y + k) + static_cast<std::size_t>(x) * 3;
                p[0] = p[1] = p[2] = 0;
                p[3] = p[4] = p[5] = 0;
            }
        }
    }
    for (int y = 0; y < big.height; y += 9)  // hatching
        for (int x = (y * 3) % 40; x < big.width / 3; x += 40) big.row(y)[x * 3] = big.row(y)[x * 3 + 1] = big.row(y)[x * 3 + 2] = 30;
    return scaleAreaAverage(big, width, height);
}

const std::string& filteredLineDrawing()
{
    static const std::string rows = filterPngRows(lineDrawing(600, 791), PngRowFilter::Adaptive);
    return rows;
}

// The image data of one shrunk 600 x 791 drawing at the PNG level 8, by zlib and by libdeflate.
void BM_DeflateLevel8Zlib(benchmark::State& state)
{
    const std::string& rows = filteredLineDrawing();
    std::string out(compressBound(rows.size()), '\0');
    uLongf size = 0;
    for (auto _ : state) {
        size = out.size();
        compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(rows.data()), rows.size(), 8);
    }
    state.counters["bytes_out"] = static_cast<double>(size);
}
BENCHMARK(BM_DeflateLevel8Zlib)->Unit(benchmark::kMillisecond);

void BM_DeflateLevel8Libdeflate(benchmark::State& state)
{
    const std::string& rows = filteredLineDrawing();
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(8);
    std::string out(libdeflate_zlib_compress_bound(compressor, rows.size()), '\0');
    std::size_t size = 0;
    for (auto _ : state) size = libdeflate_zlib_compress(compressor, rows.data(), rows.size(), out.data(), out.size());
    libdeflate_free_compressor(compressor);
    state.counters["bytes_out"] = static_cast<double>(size);
}
BENCHMARK(BM_DeflateLevel8Libdeflate)->Unit(benchmark::kMillisecond);

// A scanned drawing as its book holds it: four greys from a palette, a little wider than the box.
const std::string& paletteDrawingPng()
{
    static const std::string png =
        encodePng(quantizeToPalette(lineDrawing(605, 700), 4, "drawing.png"), {9, PngRowFilter::None, 8192});
    return png;
}

// Shrinking it into 580 × 700 as it is done now: shrunk as grey, given a palette of twice its
// colours, written as a 4-bit palette PNG.
void BM_ShrinkPalettePng605x700(benchmark::State& state)
{
    const std::string& png = paletteDrawingPng();
    std::size_t size = 0;
    for (auto _ : state) size = shrinkPngBytes(png, ConversionOptions{}, "drawing.png").size();
    state.counters["bytes_in"] = static_cast<double>(png.size());
    state.counters["bytes_out"] = static_cast<double>(size);
}
BENCHMARK(BM_ShrinkPalettePng605x700)->Unit(benchmark::kMillisecond);

// The same picture shrunk the way every PNG was before: decoded as RGB, written as 8-bit RGB.
void BM_ShrinkPalettePng605x700AsRgb(benchmark::State& state)
{
    const std::string& png = paletteDrawingPng();
    PngWriteOptions write;
    write.compressionLevel = 8;
    std::size_t size = 0;
    for (auto _ : state)
        size = encodePng(shrinkToBox(decodePng(png, "drawing.png"), ConversionOptions{}), write).size();
    state.counters["bytes_out"] = static_cast<double>(size);
}
BENCHMARK(BM_ShrinkPalettePng605x700AsRgb)->Unit(benchmark::kMillisecond);

// A grey drawing: decoded, shrunk and written as grey.
void BM_ShrinkGreyPng605x700(benchmark::State& state)
{
    const RgbImage drawing = lineDrawing(605, 700);
    GreyImage grey(drawing.width, drawing.height);
    for (std::size_t i = 0; i < grey.pixels.size(); ++i) grey.pixels[i] = drawing.pixels[i * 3];
    const std::string png = encodePng(grey);
    std::size_t size = 0;
    for (auto _ : state) size = shrinkPngBytes(png, ConversionOptions{}, "grey.png").size();
    state.counters["bytes_in"] = static_cast<double>(png.size());
    state.counters["bytes_out"] = static_cast<double>(size);
}
BENCHMARK(BM_ShrinkGreyPng605x700)->Unit(benchmark::kMillisecond);

// A book's pictures like the 333 of an illustrated Gutenberg book: most fit the box and are
// carried as they are, 12 must be shrunk. Arg: the number of worker threads.
void BM_EmbedBookOf333Pictures(benchmark::State& state)
{
    TempFolder folder;
    std::vector<std::string> sources;
    for (int i = 0; i < 333; ++i) {
        const bool large = i % 30 == 0;
        const std::string name = std::to_string(i) + "p.png";
        writePng(large ? lineDrawing(1200, 640) : lineDrawing(120 + i % 200, 60 + i % 90), folder.file(name));
        sources.push_back(name);
    }
    PictureWorkers workers(static_cast<unsigned>(state.range(0)));
    PictureEmbedder embedder(ConversionOptions{}, folder.path(), &workers);
    for (auto _ : state) {
        std::string body, binaries;
        embedder.beginConversion();
        for (const std::string& src : sources) embedder.embedPicture(src, body, binaries);
        binaries = joinPieces(embedder.completeBinaries(std::move(binaries)));
        embedder.endConversion();
        benchmark::DoNotOptimize(binaries);
    }
}
BENCHMARK(BM_EmbedBookOf333Pictures)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace vellumar
