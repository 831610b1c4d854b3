// Speed of the book's last stages: windows-1251 to UTF-8 and zipping, on the book a generated
// 10 MB page converts into, against the conversion itself.

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "bench_data.h"
#include "convert/body_writer.h"
#include "convert/utf8_book.h"
#include "editing/text_lines.h"
#include "files/zip_archive.h"

namespace {

using namespace vellumar;

const Fb2Document& convertedBook()
{
    static const Fb2Document book = [] {
        SilentInteraction user;
        NoPictures pictures;
        ConversionServices services{user, pictures, pictures};
        return *writeBook(joinLinesCrLf(bench::generateHtmlBook(10 * 1024 * 1024), false), ConversionOptions{},
                          services);
    }();
    return book;
}

std::int64_t bookBytes()
{
    std::int64_t bytes = 0;
    for (const std::string& piece : convertedBook().pieces) bytes += static_cast<std::int64_t>(piece.size());
    return bytes;
}

void BM_BookToUtf8(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        TextPieces pieces = convertedBook().pieces;
        state.ResumeTiming();
        encodeBookAsUtf8(pieces);
        benchmark::DoNotOptimize(pieces.front().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bookBytes());
}
BENCHMARK(BM_BookToUtf8)->Unit(benchmark::kMillisecond);

void BM_ZipBook(benchmark::State& state)
{
    const std::vector<std::string_view> pieces(convertedBook().pieces.begin(), convertedBook().pieces.end());
    for (auto _ : state) benchmark::DoNotOptimize(zipOneFile("book.fb2", pieces).size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bookBytes());
}
BENCHMARK(BM_ZipBook)->Unit(benchmark::kMillisecond);

}  // namespace
