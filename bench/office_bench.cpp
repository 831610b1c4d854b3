// Word-processor documents through LibreOffice: one start for a list of documents against
// one start per document. Needs LibreOffice installed (libreoffice-writer-nogui).

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "office/libreoffice_runner.h"

namespace {

// A plain RTF book of a few chapters, some 40 KB.
std::string rtfBook(int number)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\n"
                      "{\\stylesheet{\\s0 Normal;}{\\s1\\outlinelevel0\\b\\fs32 heading 1;}}\n";
    for (int chapter = 1; chapter <= 10; ++chapter) {
        rtf += "\\pard\\plain\\s1\\outlinelevel0\\b\\fs32 Book " + std::to_string(number) + ", chapter " +
               std::to_string(chapter) + "\\par\n";
        for (int paragraph = 0; paragraph < 20; ++paragraph)
            rtf += "\\pard\\plain The keeper climbed the {\\b hundred} steps of the {\\i old} tower and "
                   "\\'f1\\'ec\\'ee\\'f2\\'f0\\'e5\\'eb on the sea, as he did every night.\\par\n";
    }
    return rtf + "}\n";
}

std::vector<vellumar::HtmlExportJob> makeJobs(vellumar::TempFolder& folder, int count)
{
    std::vector<vellumar::HtmlExportJob> jobs;
    for (int i = 1; i <= count; ++i) {
        const std::filesystem::path document = folder.file("book" + std::to_string(i) + ".rtf");
        std::ofstream(document, std::ios::binary) << rtfBook(i);
        jobs.push_back({document, folder.file("book" + std::to_string(i) + ".htm")});
    }
    return jobs;
}

void checkAllConverted(benchmark::State& state, const std::vector<vellumar::HtmlExportResult>& results)
{
    for (const vellumar::HtmlExportResult& r : results)
        if (!r.ok()) state.SkipWithError(r.reason.c_str());
}

// All documents in one call: LibreOffice starts once.
void BM_OneStartForAll(benchmark::State& state)
{
    vellumar::TempFolder folder;
    const std::vector<vellumar::HtmlExportJob> jobs = makeJobs(folder, static_cast<int>(state.range(0)));
    vellumar::LibreOfficeRunner runner;
    for (auto _ : state) checkAllConverted(state, runner.saveAsHtml(jobs));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OneStartForAll)->Arg(1)->Arg(20)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// One call per document: LibreOffice starts for each.
void BM_OneStartPerDocument(benchmark::State& state)
{
    vellumar::TempFolder folder;
    const std::vector<vellumar::HtmlExportJob> jobs = makeJobs(folder, static_cast<int>(state.range(0)));
    vellumar::LibreOfficeRunner runner;
    for (auto _ : state)
        for (const vellumar::HtmlExportJob& job : jobs) checkAllConverted(state, runner.saveAsHtml({&job, 1}));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OneStartPerDocument)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
