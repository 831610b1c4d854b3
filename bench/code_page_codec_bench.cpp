// How fast the editors turn their UTF-8 text into the program's 8-bit text and count positions
// in it: every selection query of a command walks the text up to the selection.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "encodings/code_page_codec.h"
#include "encodings/text_encoding.h"

namespace {

std::string cyrillicBookUtf8(std::size_t bytes)
{
    // The generated book is windows-1251; a few Cyrillic paragraphs make it a Russian book.
    std::string book = vellumar::bench::generateHtmlBook(bytes);
    const std::string russian = "<p>\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xDD\xF2\xEE \xEA\xED\xE8\xE3\xE0.</p>\r\n";
    std::string mixed;
    mixed.reserve(book.size() * 2);
    for (std::size_t at = 0; at < book.size(); at += 200) mixed += book.substr(at, 200) + russian;
    return vellumar::windows1251ToUtf8(mixed);
}

void BM_EncodedLength(benchmark::State& state)
{
    const std::string utf8 = cyrillicBookUtf8(static_cast<std::size_t>(state.range(0)));
    const vellumar::CodePageCodec codec("WINDOWS-1251");
    for (auto _ : state) benchmark::DoNotOptimize(codec.encodedLength(utf8));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(utf8.size()));
}
BENCHMARK(BM_EncodedLength)->Arg(1 << 20);

void BM_Encode(benchmark::State& state)
{
    const std::string utf8 = cyrillicBookUtf8(static_cast<std::size_t>(state.range(0)));
    const vellumar::CodePageCodec codec("WINDOWS-1251");
    for (auto _ : state) benchmark::DoNotOptimize(codec.encode(utf8));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(utf8.size()));
}
BENCHMARK(BM_Encode)->Arg(1 << 20);

void BM_Decode(benchmark::State& state)
{
    const vellumar::CodePageCodec codec("WINDOWS-1251");
    const std::string bytes = codec.encode(cyrillicBookUtf8(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(codec.decode(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_Decode)->Arg(1 << 20);

void BM_BuildCodec(benchmark::State& state, const char* codePage)
{
    for (auto _ : state) benchmark::DoNotOptimize(vellumar::CodePageCodec(codePage));
}
BENCHMARK_CAPTURE(BM_BuildCodec, windows1252, "WINDOWS-1252")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildCodec, cp932, "CP932")->Unit(benchmark::kMillisecond);

}  // namespace
