// Speed of the conversion core on a generated 10 MB book.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "convert/body_balancer.h"
#include "convert/body_writer.h"
#include "base/text_rules.h"
#include "convert/xml_text.h"
#include "editing/text_lines.h"
#include "html/tokenizer.h"

namespace {

using namespace vellumar;

const std::string& book()
{
    static const std::string html = bench::generateHtmlBook(10 * 1024 * 1024);
    return html;
}

void BM_Tokenize(benchmark::State& state)
{
    HtmlParser parser;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = book();
        state.ResumeTiming();
        parser.parse(std::move(text));
        benchmark::DoNotOptimize(parser.itemCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(book().size()));
}
BENCHMARK(BM_Tokenize)->Unit(benchmark::kMillisecond);

void BM_TextRules(benchmark::State& state)
{
    for (auto _ : state) {
        std::string t = straightenLineBreaks(book());
        t = applyEntityRules(replaceEntityByChar(t, 32, "&nbsp;"));
        t = xmlSafeText(t);
        benchmark::DoNotOptimize(collapseSpaceRuns(t).size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(book().size()));
}
BENCHMARK(BM_TextRules)->Unit(benchmark::kMillisecond);

// Lines joined by CR LF, as a source is when read.
void BM_JoinLinesCrLf(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(joinLinesCrLf(book(), true).size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(book().size()));
}
BENCHMARK(BM_JoinLinesCrLf)->Unit(benchmark::kMillisecond);

void BM_WholeConversion(benchmark::State& state)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    ConversionOptions options;
    for (auto _ : state) {
        const std::string source = joinLinesCrLf(book(), false);
        const auto doc = writeBook(source, options, services);
        benchmark::DoNotOptimize(joinLinesCrLf(doc->text(), true).size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(book().size()));
}
BENCHMARK(BM_WholeConversion)->Unit(benchmark::kMillisecond);

// The same conversion writing a complete book: sections nested, notes, links, a valid book.
void BM_WholeCompleteConversion(benchmark::State& state)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    ConversionOptions options;
    options.complete = true;
    for (auto _ : state) {
        const std::string source = joinLinesCrLf(book(), false);
        const auto doc = writeBook(source, options, services);
        benchmark::DoNotOptimize(joinLinesCrLf(doc->text(), true).size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(book().size()));
}
BENCHMARK(BM_WholeCompleteConversion)->Unit(benchmark::kMillisecond);

// The same book with its optional paragraph ends left out, as many generated pages write it:
// the balancing stage mends every paragraph.
const std::string& bookWithoutParagraphEnds()
{
    static const std::string html = replaceAllText(book(), "</p>", "");
    return html;
}

void BM_WholeConversionWithoutParagraphEnds(benchmark::State& state)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    ConversionOptions options;
    for (auto _ : state) {
        const std::string source = joinLinesCrLf(bookWithoutParagraphEnds(), false);
        const auto doc = writeBook(source, options, services);
        benchmark::DoNotOptimize(joinLinesCrLf(doc->text(), true).size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bookWithoutParagraphEnds().size()));
}
BENCHMARK(BM_WholeConversionWithoutParagraphEnds)->Unit(benchmark::kMillisecond);

// The balancing stage alone, on the book's body as the walk writes it: well-formed (0), and
// with every paragraph end missing (1).
void BM_BalanceBody(benchmark::State& state)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    const std::string fb2 = writeBook(book(), {}, services)->text();
    const std::size_t start = fb2.find("<body>");
    std::string body = fb2.substr(start, fb2.rfind("</body>") + 9 - start);
    if (state.range(0) == 1) body = replaceAllText(body, "</p>", "");
    for (auto _ : state) benchmark::DoNotOptimize(balanceBody(body).size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_BalanceBody)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
