// The FB2 tag commands on large selections: turning the paragraphs of a whole book into verses,
// and wrapping a large selection of the in-memory editor.

#include <benchmark/benchmark.h>

#include <string>

#include "editing/memory_editor.h"
#include "editing/tag_commands.h"

namespace {

// About `bytes` bytes of FB2 paragraphs, both letter cases of the tags, CR LF between them.
std::string paragraphs(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 64);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += (i % 3 == 0) ? "<P>" : "<p>";
        text += "\xD1\xF2\xF0\xEE\xEA\xE0 stanza line with a few words in it";
        text += (i % 3 == 0) ? "</P>\r\n" : "</p>\r\n";
    }
    return text;
}

void BM_ParagraphsToVerses(benchmark::State& state)
{
    const std::string text = paragraphs(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(vellumar::paragraphsToVerses(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParagraphsToVerses)->Arg(64 << 10)->Arg(2 << 20);

void BM_StanzaOnWholeText(benchmark::State& state)
{
    const std::string text = paragraphs(static_cast<std::size_t>(state.range(0)));
    vellumar::MemoryEditor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.setText(text);
        editor.select(0, text.size());
        state.ResumeTiming();
        vellumar::wrapSelection(editor, vellumar::TagCommand::Stanza);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_StanzaOnWholeText)->Arg(2 << 20);

}  // namespace
