// Pictures: base64 speed, and embedding a large photograph (JPEG and PNG) into the default box.

#include <benchmark/benchmark.h>

#include "documents/temp_folder.h"
#include "images/base64.h"
#include "images/jpeg_codec.h"
#include "images/picture_embedder.h"
#include "images/picture_file.h"
#include "images/png_codec.h"

#include <cstring>
#include <random>

namespace vellumar {
namespace {

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
    for (auto _ : state) benchmark::DoNotOptimize(EncodeBase64(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Base64InMemory)->Unit(benchmark::kMillisecond);

void BM_EncodeFileBase64(benchmark::State& state)
{
    TempFolder folder;
    const auto path = folder.file("data.bin");
    WritePictureFile(path, randomBytes(16 << 20));
    for (auto _ : state) benchmark::DoNotOptimize(EncodeFileBase64(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (16 << 20));
}
BENCHMARK(BM_EncodeFileBase64)->Unit(benchmark::kMillisecond);

// One conversion embedding one picture: decode, shrink into 580 × 700, encode, base64.
void embedOnce(PictureEmbedder& embedder, const char* src)
{
    std::string body, binaries;
    embedder.beginConversion();
    embedder.embedPicture(src, body, binaries);
    embedder.completeBinaries(binaries);
    embedder.endConversion();
    benchmark::DoNotOptimize(binaries);
}

void BM_EmbedJpeg6000x4000(benchmark::State& state)
{
    TempFolder folder;
    WriteJpeg(photograph(6000, 4000), folder.file("photo.jpg"));
    PictureEmbedder embedder(ConversionOptions{}, folder.path());
    for (auto _ : state) embedOnce(embedder, "photo.jpg");
}
BENCHMARK(BM_EmbedJpeg6000x4000)->Unit(benchmark::kMillisecond);

// The same shrink without the reduced DCT scale: what decoding at 1/4 saves.
void BM_ShrinkJpeg6000x4000FullDecode(benchmark::State& state)
{
    const std::string jpeg = EncodeJpeg(photograph(6000, 4000));
    for (auto _ : state) {
        const RgbImage picture = DecodeJpeg(jpeg, "photo.jpg", 1);
        benchmark::DoNotOptimize(EncodeBase64(EncodeJpeg(ScaleAreaAverage(picture, 580, 387))));
    }
}
BENCHMARK(BM_ShrinkJpeg6000x4000FullDecode)->Unit(benchmark::kMillisecond);

void BM_EmbedPng4000x3000(benchmark::State& state)
{
    TempFolder folder;
    WritePng(photograph(4000, 3000), folder.file("photo.png"));
    PictureEmbedder embedder(ConversionOptions{}, folder.path());
    for (auto _ : state) embedOnce(embedder, "photo.png");
}
BENCHMARK(BM_EmbedPng4000x3000)->Unit(benchmark::kMillisecond);

void BM_ScaleAreaAverage4000x3000(benchmark::State& state)
{
    const RgbImage picture = photograph(4000, 3000);
    for (auto _ : state) benchmark::DoNotOptimize(ScaleAreaAverage(picture, 580, 435));
}
BENCHMARK(BM_ScaleAreaAverage4000x3000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumar
