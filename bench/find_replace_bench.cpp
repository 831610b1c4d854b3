// Find and replace over a large FB2 text on the in-memory editor: "&All" replacing 100,000
// occurrences in 10 MB, and one F3 that runs through 10 MB without finding anything.

#include <benchmark/benchmark.h>

#include <string>

#include "editing/find_replace.h"
#include "editing/memory_editor.h"

namespace {

constexpr std::size_t kTextBytes = 10 << 20;
constexpr int kOccurrences = 100'000;

// About 10 MB of FB2 paragraphs holding the word "lantern" exactly kOccurrences times, spread
// evenly, with windows-1251 letters around it.
std::string fb2Text()
{
    const std::string before = "<p>\xD1\xF2\xE0\xF0\xFB\xE9 keeper lit the ";
    const std::string after = " at dusk and watched the sea \xEC\xEE\xF0\xE5</p>\r\n";
    const std::size_t fill = kTextBytes / kOccurrences - before.size() - after.size() - 7;
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<FictionBook><body><section>\r\n";
    text.reserve(kTextBytes + 4096);
    for (int i = 0; i < kOccurrences; ++i) {
        text += before;
        text += "lantern";
        text += after;
        text.append(fill, i % 2 ? 'w' : 'v');
    }
    text += "</section></body></FictionBook>\r\n";
    return text;
}

void BM_ReplaceAll100kIn10MB(benchmark::State& state)
{
    const std::string text = fb2Text();
    vellumar::MemoryEditor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.setText(text);
        state.ResumeTiming();
        // "&Find" then "&All", as the user does it.
        vellumar::findFrom(&editor, "lantern");
        const auto count = vellumar::replaceAll(&editor, "lantern", "lamp");
        if (count != std::size_t{kOccurrences}) state.SkipWithError("wrong count");
    }
    state.counters["repaints"] = benchmark::Counter(editor.repaintCount(), benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceAll100kIn10MB)->Unit(benchmark::kMillisecond);

void BM_FindNextWithoutMatchIn10MB(benchmark::State& state)
{
    vellumar::MemoryEditor editor(fb2Text());
    for (auto _ : state) {
        if (vellumar::findFrom(&editor, "lighthouse") != vellumar::FindResult::NotFound)
            state.SkipWithError("found");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(editor.text().size()));
}
BENCHMARK(BM_FindNextWithoutMatchIn10MB)->Unit(benchmark::kMillisecond);

}  // namespace
