// Memory and time of table pictures for table shapes that ask for far more grid cells than they
// have: one row of N empty cells followed by N one-cell rows (an N x N grid from about 20 N
// bytes), a cell spanning every row below, and a plain tall table for comparison. Each page is
// converted in picture mode; "peak_MB" is the most memory the conversions held at once beyond
// the page itself, counted by this program's allocator, and "input_KB" the page's size.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "convert/body_writer.h"
#include "tables/freetype_text_measurer.h"
#include "tables/table_picture_embedder.h"

namespace {

std::atomic<long long> g_current{0};
std::atomic<long long> g_peak{0};

void* allocate(std::size_t size)
{
    // The size is kept in front of the block so that freeing can count it off.
    void* block = std::malloc(size + 16);
    if (block == nullptr) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const long long now = g_current.fetch_add(static_cast<long long>(size)) + static_cast<long long>(size);
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + 16;
}

void release(void* pointer) noexcept
{
    if (pointer == nullptr) return;
    void* block = static_cast<char*>(pointer) - 16;
    g_current.fetch_sub(static_cast<long long>(*static_cast<std::size_t*>(block)));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete[](void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }

namespace {

using namespace vellumar;

std::string page(const std::string& table) { return "<html><body>\r\n<p>Before.</p>\r\n" + table + "\r\n</body></html>"; }

// One row of n empty cells, then n rows of one cell each.
std::string squareFromOneRow(int n)
{
    std::string table = "<table><tr>";
    for (int i = 0; i < n; ++i) table += "<td>";
    table += "</tr>\r\n";
    for (int i = 0; i < n; ++i) table += "<tr><td>" + std::to_string(i) + "</td></tr>\r\n";
    return page(table + "</table>");
}

// n rows under a first cell that spans all of them and past them, each row's cell pushed right.
std::string spanOverEveryRow(int n)
{
    std::string table = "<table><tr><td rowspan=2000000000>first</td></tr>\r\n";
    for (int i = 0; i < n; ++i) table += "<tr><td rowspan=2000000000>" + std::to_string(i) + "</td></tr>\r\n";
    return page(table + "</table>");
}

// n rows of two short cells: what an ordinary long table costs.
std::string plainTall(int n)
{
    std::string table = "<table border=1>";
    for (int i = 0; i < n; ++i) table += "<tr><td>" + std::to_string(i) + "</td><td>text</td></tr>\r\n";
    return page(table + "</table>");
}

const FreeTypeTextMeasurer& font()
{
    static const FreeTypeTextMeasurer measurer;
    return measurer;
}

void convertInPictureMode(benchmark::State& state, const std::string& html)
{
    ConversionOptions options;
    options.tableMode = TableMode::ConvertToImage;
    SilentInteraction user;
    NoPictures pictures;
    const long long before = g_current.load();
    g_peak.store(before);
    for (auto _ : state) {
        TablePictureEmbedder tables(options, user, font());
        ConversionServices services{user, pictures, tables};
        benchmark::DoNotOptimize(writeBook(html, options, services)->text().size());
    }
    state.counters["input_KB"] = static_cast<double>(html.size()) / 1024.0;
    state.counters["peak_MB"] = static_cast<double>(g_peak.load() - before) / (1024.0 * 1024.0);
}

void BM_SquareGridFromOneRow(benchmark::State& state)
{
    convertInPictureMode(state, squareFromOneRow(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SquareGridFromOneRow)->RangeMultiplier(4)->Range(64, 65536)->Unit(benchmark::kMillisecond);

void BM_RowSpanOverEveryRow(benchmark::State& state)
{
    convertInPictureMode(state, spanOverEveryRow(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RowSpanOverEveryRow)->RangeMultiplier(4)->Range(64, 65536)->Unit(benchmark::kMillisecond);

void BM_PlainTallTable(benchmark::State& state)
{
    convertInPictureMode(state, plainTall(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_PlainTallTable)->RangeMultiplier(4)->Range(64, 16384)->Unit(benchmark::kMillisecond);

}  // namespace
