// Time per MB of converting one large book the way vellumar-convert does (read, decode, clean,
// convert, write), from 1 MB to 500 MB, beside the floor no converter can beat: reading the
// file, one pass over it and writing as many bytes. The books are UTF-8 pages generated into
// VELLUMAR_LARGE_BOOKS (default: the temporary folder's vellumar-large-books), kept there for
// timing vellumar-convert itself under /usr/bin/time:
//     build/bench/large_book_bench --benchmark_filter=Floor/1$   # makes nothing but book-1
//     /usr/bin/time -v build/vellumar-convert -o /tmp/out.fb2 /tmp/vellumar-large-books/book-100.html

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/conversion_options.h"
#include "bench_data.h"
#include "cli/heap_policy.h"
#include "editing/text_lines.h"
#include "encodings/text_encoding.h"
#include "files/file_io.h"
#include "pipeline/pipeline.h"

namespace {

using namespace vellumar;
namespace fs = std::filesystem;

fs::path bookFolder()
{
    const char* chosen = std::getenv("VELLUMAR_LARGE_BOOKS");
    fs::path folder = chosen && *chosen ? fs::path(chosen) : fs::temp_directory_path() / "vellumar-large-books";
    fs::create_directories(folder);
    return folder;
}

// The generated book of about `megabytes` MB, made once and kept.
fs::path largeBook(long megabytes)
{
    const fs::path path = bookFolder() / ("book-" + std::to_string(megabytes) + ".html");
    std::error_code error;
    if (fs::file_size(path, error) > 0 && !error) return path;
    std::string html = windows1251ToUtf8(bench::generateHtmlBook(static_cast<std::size_t>(megabytes) << 20));
    html.insert(html.find("<title>"), "<meta charset=\"utf-8\">");
    writeFileAtomically(path, html, Durability::WriteBack);
    return path;
}

void reportPerMegabyte(benchmark::State& state, const fs::path& book)
{
    const auto bytes = static_cast<double>(fs::file_size(book));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * static_cast<int64_t>(bytes)));
    // Shown as the time one MB takes.
    state.counters["per_MB"] = benchmark::Counter(
        bytes / (1 << 20), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What vellumar-convert does with one INPUT and -o.
void BM_LargeBook(benchmark::State& state)
{
    cli::keepFreedMemory();
    const fs::path book = largeBook(state.range(0));
    const fs::path out = bookFolder() / "converted.fb2";
    ConversionOptions options;
    for (auto _ : state) {
        SilentInteraction user;
        LoadedSource source = loadSource(SourceFile{book}, LoadOptions{}, options, user);
        std::optional<Fb2Document> converted = convertSource(source.takeEditorText(), options, source.folder, user);
        endLinesCrLf(converted->pieces);
        const std::vector<std::string_view> pieces(converted->pieces.begin(), converted->pieces.end());
        writeFileAtomically(out, pieces, Durability::WriteBack);
    }
    reportPerMegabyte(state, book);
}
// Wall time: the conversion has helper threads, whose time the CPU figure leaves out.
BENCHMARK(BM_LargeBook)->ArgsProduct({{1, 10, 30, 40, 100, 500}})->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the file read, one pass that looks at every byte and copies it, and the copy
// written.
void BM_Floor(benchmark::State& state)
{
    cli::keepFreedMemory();
    const fs::path book = largeBook(state.range(0));
    const fs::path out = bookFolder() / "copied.fb2";
    for (auto _ : state) {
        const std::string bytes = readFileBytes(book);
        const std::string copy(bytes);
        benchmark::DoNotOptimize(std::memchr(copy.data(), '\0', copy.size()));
        writeFileAtomically(out, copy, Durability::WriteBack);
    }
    reportPerMegabyte(state, book);
}
BENCHMARK(BM_Floor)->ArgsProduct({{1, 10, 30, 40, 100, 500}})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
