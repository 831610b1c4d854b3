// Speed of table pictures: one 40-row, 6-column table with wrapped Cyrillic and Latin text and
// spans, drawn alone and as part of a 2 MB book of 200 such tables converted in picture mode.

#include <benchmark/benchmark.h>

#include <string>

#include "convert/body_writer.h"
#include "files/temp_folder.h"
#include "encodings/text_encoding.h"
#include "tables/freetype_text_measurer.h"
#include "tables/table_grid_builder.h"
#include "tables/table_layout.h"
#include "tables/table_picture.h"
#include "tables/table_picture_embedder.h"

namespace {

using namespace vellumar;

const char* const kPhrases[] = {
    "Съешь же ещё этих мягких французских булок, да выпей чаю",
    "The quick brown fox jumps over the lazy dog",
    "Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства",
    "Pack my box with five dozen liquor jugs",
    "В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!",
    "Sphinx of black quartz, judge my vow &amp; more",
    "Эх, чужак, общий съём цен шляп (юфть) — вдрызг!",
    "12 345,67 руб.",
};

// One table of 40 rows and 6 columns (windows-1251): a header row with a column span, a cell
// spanning two rows every fifth row, and a 2 x 2 span every seventh.
std::string tableHtml(int seed)
{
    std::string utf8 = "<table border=1>\r\n<tr><td>№</td><td colspan=2>Наименование / Name</td><td>Описание</td>"
                       "<td>Цена</td><td>Примечание</td></tr>\r\n";
    for (int row = 1; row < 40; ++row) {
        utf8 += "<tr>";
        int column = 0;
        while (column < 6) {
            const char* phrase = kPhrases[(seed + row * 7 + column * 3) % 8];
            if (row % 7 == 1 && column == 2) {
                utf8 += "<td colspan=2 rowspan=2>" + std::string(phrase) + "</td>";
                column += 2;
            } else if (row % 7 == 2 && column == 2) {
                column += 2;  // covered by the 2 x 2 span above
            } else if (row % 5 == 1 && column == 5) {
                utf8 += "<td rowspan=2>" + std::string(phrase) + "</td>";
                ++column;
            } else if (row % 5 == 2 && column == 5) {
                ++column;  // covered by the row span above
            } else {
                utf8 += "<td>" + (column == 0 ? std::to_string(row) : std::string(phrase)) + "</td>";
                ++column;
            }
        }
        utf8 += "</tr>\r\n";
    }
    utf8 += "</table>\r\n";
    return utf8ToWindows1251(utf8);
}

const std::string& oneTable()
{
    static const std::string html = "<html>\r\n" + tableHtml(0) + "</html>";
    return html;
}

// About 2 MB: 200 tables between short paragraphs.
const std::string& bookWithTables()
{
    static const std::string html = [] {
        std::string book = "<html><head><title>Tables</title></head><body>\r\n";
        for (int i = 0; i < 200; ++i) {
            book += "<h2>Таблица " + std::to_string(i + 1) + "</h2>\r\n<p>Text before the table.</p>\r\n";
            book += tableHtml(i);
        }
        return book + "</body></html>\r\n";
    }();
    return html;
}

const FreeTypeTextMeasurer& font()
{
    static const FreeTypeTextMeasurer measurer;
    return measurer;
}

void BM_LayoutTable(benchmark::State& state)
{
    TableGrid grid;
    buildTableGrid(oneTable(), TableBorder::Visible, grid);
    for (auto _ : state) benchmark::DoNotOptimize(layoutTable(grid, font(), 580));
}
BENCHMARK(BM_LayoutTable)->Unit(benchmark::kMillisecond);

void BM_RenderTableImage(benchmark::State& state)
{
    const ConversionOptions options;
    for (auto _ : state) benchmark::DoNotOptimize(renderTableImage(oneTable(), options, font())->width);
}
BENCHMARK(BM_RenderTableImage)->Unit(benchmark::kMillisecond);

void BM_RenderTablePicturePng(benchmark::State& state)
{
    const ConversionOptions options;
    TempFolder folder;
    const auto file = folder.file("table1.png");
    for (auto _ : state) benchmark::DoNotOptimize(renderTablePicture(oneTable(), file, options, font()));
}
BENCHMARK(BM_RenderTablePicturePng)->Unit(benchmark::kMillisecond);

void BM_ConvertBookWith200Tables(benchmark::State& state)
{
    ConversionOptions options;
    options.tableMode = TableMode::ConvertToImage;
    SilentInteraction user;
    NoPictures pictures;
    for (auto _ : state) {
        TablePictureEmbedder tables(options, user, font());
        ConversionServices services{user, pictures, tables};
        benchmark::DoNotOptimize(writeBook(bookWithTables(), options, services)->text().size());
    }
    state.counters["input_MB"] = static_cast<double>(bookWithTables().size()) / (1024.0 * 1024.0);
    // Seconds per table (shown with an SI prefix: "m" is milliseconds).
    state.counters["per_table"] =
        benchmark::Counter(200, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConvertBookWith200Tables)->Unit(benchmark::kMillisecond);

}  // namespace
