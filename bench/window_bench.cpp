// The user's wait in the real main window, offscreen: "Open..." of a 10 MB HTML book until the
// source page shows it, and F9 on it until the FB2 page shows the book. The dialogs answer at
// once (the book chosen, no title information, the save cancelled), so only the program's own
// work is timed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "bench_data.h"
#include "ui/commands/command_dialogs.h"
#include "ui/editor/code_editor.h"
#include "ui/window/main_window.h"

namespace {

using namespace vellumar;

class InstantDialogs : public CommandDialogs {
public:
    QString book;
    QString askOpenFileName(std::string_view, const QString&) override { return book; }
    QString askSaveFileName(std::string_view, const QString&) override { return {}; }
    bool confirmReplace(const QString&) override { return false; }
    std::optional<BookInfoAnswers> askBookInfo() override { return std::nullopt; }
    void showMessage(const QString&, const QString&) override {}
    void showError(const QString& text) override { errors << text; }
    UnsavedAnswer askUnsavedChanges(const QString&) override { return UnsavedAnswer::Discard; }
    bool openWithDesktop(const QString&) override { return false; }
    QStringList errors;
};

struct Window {
    Window()
    {
        const std::string html = bench::generateHtmlBook(10 * 1024 * 1024);
        dialogs.book = folder.filePath(QStringLiteral("book.html"));
        QFile file(dialogs.book);
        if (file.open(QIODevice::WriteOnly)) file.write(html.data(), static_cast<qint64>(html.size()));
        window = std::make_unique<MainWindow>(DialogWindows{}, &dialogs);
        window->findChild<QCheckBox*>(QStringLiteral("ChBShowTitleInfo"))->setChecked(false);
        window->show();
        QApplication::processEvents();
    }
    void run(ActionId action)
    {
        window->action(action)->trigger();
        // Until the page has painted what the command put there.
        QApplication::processEvents();
    }

    QTemporaryDir folder;
    InstantDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

Window& window()
{
    static Window w;
    return w;
}

void BM_WindowOpenSource(benchmark::State& state)
{
    Window& w = window();
    for (auto _ : state) w.run(ActionId::OpenSource);
    state.counters["source_bytes"] = static_cast<double>(w.window->sourceEditor()->editor().text().size());
    if (!w.dialogs.errors.isEmpty()) state.SkipWithError(w.dialogs.errors.first().toStdString().c_str());
}
BENCHMARK(BM_WindowOpenSource)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_WindowConvert(benchmark::State& state)
{
    Window& w = window();
    if (w.window->sourceEditor()->editor().text().empty()) w.run(ActionId::OpenSource);
    for (auto _ : state) w.run(ActionId::Convert);
    state.counters["book_bytes"] = static_cast<double>(w.window->fb2Editor()->editor().text().size());
    if (!w.dialogs.errors.isEmpty()) state.SkipWithError(w.dialogs.errors.first().toStdString().c_str());
}
BENCHMARK(BM_WindowConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Changing the character set with an undo history: every step is undone, recorded and made
// again on the text shown in the new code page. Arguments: the text's size in KB and the number
// of edits in the history.
void BM_CharsetChangeKeepingUndo(benchmark::State& state)
{
    const std::string html = bench::generateHtmlBook(static_cast<std::size_t>(state.range(0)) * 1024);
    CodeEditor memo(SyntaxColouring::Html);
    memo.setDocumentText(html);
    ScintillaEditor& editor = memo.editor();
    const auto edits = static_cast<std::size_t>(state.range(1));
    for (std::size_t i = 0; i < edits; ++i) {
        editor.select((i * 7919) % html.size(), 0);
        editor.replaceSelection("<b>x</b>");
    }
    bool russian = false;
    for (auto _ : state) {
        editor.setCodePage(russian ? "WINDOWS-1251" : "CP866");
        russian = !russian;
    }
    state.counters["text_bytes"] = static_cast<double>(html.size());
}
BENCHMARK(BM_CharsetChangeKeepingUndo)
    ->Args({700, 0})
    ->Args({700, 100})
    ->Args({3000, 100})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4);

}  // namespace

int main(int argc, char** argv)
{
    // The window is measured without a display unless one is asked for.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
