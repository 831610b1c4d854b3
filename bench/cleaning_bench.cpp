// Speed of the source cleaning on a generated 10 MB word-processor web page: alone, with the
// conversion after it, and through the vellumar-convert program.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cleaning/source_normalizer.h"
#include "convert/body_writer.h"
#include "base/picture_sink.h"
#include "editing/text_lines.h"

namespace {

using namespace vellumar;
namespace fs = std::filesystem;

constexpr int kClassRules = 300;

// A style sheet of 300 class rules in the word processor's layout: some bold, some italic,
// most neither, each over several lines.
std::string styleBlock()
{
    std::string css = "<style>\r\n<!--\r\n /* Style Definitions */\r\n";
    for (int i = 0; i < kClassRules; ++i) {
        const std::string n = std::to_string(i);
        const char* element = i % 3 == 0 ? "span" : "p";
        css += std::string(" ") + element + ".Style" + n + (i % 3 == 0 ? "" : ", li.Style" + n) + "\r\n";
        css += "\t{mso-style-name:\"Style " + n + "\";\r\n\tmargin:0cm;\r\n\tmargin-bottom:.0001pt;\r\n";
        if (i % 7 == 0) css += "\tfont-weight:bold;\r\n";
        if (i % 11 == 0) css += "\tfont-style:italic;\r\n";
        css += "\tfont-size:12.0pt;\r\n\tfont-family:\"Times New Roman\";}\r\n";
    }
    css += "@page Section1\r\n\t{size:595.3pt 841.9pt;}\r\ndiv.Section1\r\n\t{page:Section1;}\r\n-->\r\n</style>\r\n";
    return css;
}

// About `bytes` of a word processor's page: classes on most paragraphs, span and font wrappers,
// o:p marks, headings with anchors, small tables; Cyrillic text in windows-1251.
std::string generateWordPage(std::size_t bytes)
{
    static const char* const words[] = {
        "\xcd\xee\xf7\xfc\xfe", "\xe1\xfb\xeb\xe0", "\xf2\xe8\xf5\xe0\xff", "keeper", "lamp", "\xec\xee\xf0\xe5",
        "&laquo;\xe4\xe0&raquo;", "&nbsp;&#8212;", "wind", "\xf1\xe2\xe5\xf2",
    };
    std::string html =
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\">\r\n<head>\r\n"
        "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
        "<meta name=Generator content=\"Microsoft Word 11\">\r\n<title>\xc1\xe5\xeb\xe0\xff</title>\r\n";
    html += styleBlock();
    html += "</head>\r\n\r\n<body lang=RU style='tab-interval:35.4pt'>\r\n\r\n<div class=Section1>\r\n\r\n";
    html.reserve(bytes + 4096);
    std::size_t w = 0;
    int paragraph = 0;
    while (html.size() < bytes) {
        ++paragraph;
        if (paragraph % 60 == 1) {
            html += "<h1><a name=\"_Toc" + std::to_string(paragraph) +
                    "\"></a><span lang=RU style='font-size:16.0pt'>\xc3\xeb\xe0\xe2\xe0 " + std::to_string(paragraph) +
                    "</span></h1>\r\n\r\n";
        }
        if (paragraph % 200 == 0) {
            html += "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0\r\n style='border-collapse:collapse'>"
                    "\r\n <tr>\r\n  <td width=319 valign=top style='width:239.25pt'>\r\n  <p class=MsoNormal>a</p>\r\n"
                    "  </td>\r\n  <td width=319 valign=top>\r\n  <p class=MsoNormal>b<o:p></o:p></p>\r\n  </td>\r\n"
                    " </tr>\r\n</table>\r\n\r\n";
        }
        const int style = paragraph % 5 == 0 ? -1 : (paragraph * 7) % kClassRules;
        html += style < 0 ? "<p class=MsoNormal>" : "<p class=Style" + std::to_string(style) + " style='text-indent:35.4pt'>";
        html += "<span lang=RU style='font-size:12.0pt;font-family:\"Times New Roman\"'>";
        for (int s = 0; s < 6; ++s) {
            for (int k = 0; k < 8; ++k) {
                html += words[w++ % std::size(words)];
                html += ' ';
            }
            if (s == 1) html += "<b>\xea\xf0\xe5\xef\xea\xee</b> ";
            if (s == 2) html += "<span class=Style" + std::to_string((s * paragraph * 3) % kClassRules) + ">x</span> ";
            if (s == 3) html += "<font face=Arial>\xf8\xf0\xe8\xf4\xf2</font> ";
            if (s == 4) html += "<i>\r\nslanted</i> ";
        }
        html += "</span><o:p></o:p></p>\r\n\r\n";
        if (paragraph % 9 == 0) html += "<p class=MsoNormal><o:p>&nbsp;</o:p></p>\r\n\r\n";
    }
    html += "</div>\r\n\r\n</body>\r\n\r\n</html>\r\n";
    return html;
}

const std::string& page()
{
    static const std::string html = generateWordPage(10 * 1024 * 1024);
    return html;
}

void setBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page().size()));
}

void BM_Cleaning(benchmark::State& state)
{
    SilentInteraction user;
    for (auto _ : state) benchmark::DoNotOptimize(normalizeSourceHtml(page(), true, user).size());
    setBytes(state);
}
BENCHMARK(BM_Cleaning)->Unit(benchmark::kMillisecond);

// What vellumar-convert does with an INPUT in memory: lines, cleaning, editor lines, conversion,
// saved lines.
void BM_CleanAndConvert(benchmark::State& state)
{
    SilentInteraction user;
    NoPictures pictures;
    ConversionServices services{user, pictures, pictures};
    for (auto _ : state) {
        const std::string cleaned = normalizeSourceHtml(joinLinesCrLf(page(), true), true, user);
        const auto book = writeBook(joinLinesCrLf(cleaned, false), ConversionOptions{}, services);
        benchmark::DoNotOptimize(joinLinesCrLf(book->text(), true).size());
    }
    setBytes(state);
}
BENCHMARK(BM_CleanAndConvert)->Unit(benchmark::kMillisecond);

// The program itself, from reading the file to writing the book; found beside the bench folder.
void BM_ConvertProgram(benchmark::State& state)
{
    const fs::path program = fs::canonical("/proc/self/exe").parent_path().parent_path() / "vellumar-convert";
    if (!fs::exists(program)) {
        state.SkipWithError("vellumar-convert is not built");
        return;
    }
    const fs::path dir = fs::temp_directory_path() / ("vellumar-cleaning-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "page.html", std::ios::binary) << page();
    std::string command = "'";
    command.append(program.string()).append("' -q '").append((dir / "page.html").string()).append("'");
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("vellumar-convert failed");
            break;
        }
    }
    fs::remove_all(dir);
    setBytes(state);
}
BENCHMARK(BM_ConvertProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
