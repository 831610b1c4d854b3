// The user's wait in the real main window, offscreen: "Open..." of a 10 MB HTML book until the
// source page shows it, F9 on it until the FB2 page shows the book or until the book-info dialog
// is asked, and typing into either editor after a large text was put there. The dialogs answer
// at once (the book chosen, no title information, the save cancelled), so only the program's own
// work is timed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

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
    std::optional<BookInfoAnswers> askBookInfo() override
    {
        if (askedBookInfo) askedBookInfo();
        return std::nullopt;
    }
    void showMessage(const QString&, const QString&) override {}
    void showError(const QString& text) override { errors << text; }
    UnsavedAnswer askUnsavedChanges(const QString&) override { return UnsavedAnswer::Discard; }
    bool openWithDesktop(const QString&) override { return false; }
    QStringList errors;
    std::function<void()> askedBookInfo;
};

struct Window {
    explicit Window(std::size_t megabytes = 10)
    {
        const std::string html = bench::generateHtmlBook(megabytes * 1024 * 1024);
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

// The window shared by the benchmarks; it must go before the application does.
std::unique_ptr<Window> g_sharedWindow;

Window& window()
{
    if (!g_sharedWindow) g_sharedWindow = std::make_unique<Window>();
    return *g_sharedWindow;
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

// F9 with the title information asked for: until the book-info dialog opens (it is cancelled).
void BM_WindowConvertUntilBookInfo(benchmark::State& state)
{
    Window& w = window();
    if (w.window->sourceEditor()->editor().text().empty()) w.run(ActionId::OpenSource);
    auto* askTitle = w.window->findChild<QCheckBox*>(QStringLiteral("ChBShowTitleInfo"));
    askTitle->setChecked(true);
    QElapsedTimer clock;
    double asked = 0;
    w.dialogs.askedBookInfo = [&] { asked = static_cast<double>(clock.nsecsElapsed()) / 1e9; };
    for (auto _ : state) {
        asked = -1;
        clock.start();
        w.window->action(ActionId::Convert)->trigger();
        QApplication::processEvents();
        state.SetIterationTime(asked);
    }
    w.dialogs.askedBookInfo = nullptr;
    askTitle->setChecked(false);
    if (asked < 0) state.SkipWithError("the book-info dialog was not asked");
}
BENCHMARK(BM_WindowConvertUntilBookInfo)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// How long a key takes to appear while the editor settles after a large text was put there: for
// a few seconds after the text is shown, a key is due every 40 ms; each is timed from the moment
// it was due (the event loop may be busy with the editor's own work then) until the editor has
// painted it. Arguments: the source's size in MB, 0 to type into the source page or 1 into the
// FB2 page after F9, and the seconds watched.
void BM_KeyLatencyAfterOpen(benchmark::State& state)
{
    const auto megabytes = static_cast<std::size_t>(state.range(0));
    const bool intoBook = state.range(1) != 0;
    const auto watched = static_cast<qint64>(state.range(2)) * 1000;
    Window w(megabytes);
    std::vector<double> latencies;
    for (auto _ : state) {
        w.run(ActionId::OpenSource);
        if (intoBook) w.run(ActionId::Convert);
        CodeEditor* editor = intoBook ? w.window->fb2Editor() : w.window->sourceEditor();
        editor->setFocus();
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        double due = 0;
        std::function<void()> typeOne = [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QApplication::sendEvent(editor, &press);
            QApplication::sendEvent(editor, &release);
            editor->viewport()->repaint();
            const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            latencies.push_back(now - due);
            if (clock.elapsed() > watched) {
                loop.quit();
                return;
            }
            due = now + 40;
            QTimer::singleShot(40, Qt::PreciseTimer, &loop, typeOne);
        };
        QTimer::singleShot(0, Qt::PreciseTimer, &loop, typeOne);
        loop.exec();
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) return;
    state.counters["keys"] = static_cast<double>(latencies.size());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p95_ms"] = latencies[latencies.size() * 95 / 100];
    state.counters["max_ms"] = latencies.back();
    state.counters["over_16ms"] =
        static_cast<double>(latencies.end() - std::upper_bound(latencies.begin(), latencies.end(), 16.0));
    if (!w.dialogs.errors.isEmpty()) state.SkipWithError(w.dialogs.errors.first().toStdString().c_str());
}
BENCHMARK(BM_KeyLatencyAfterOpen)
    ->Args({10, 0, 8})
    ->Args({10, 1, 8})
    ->Args({50, 0, 15})
    ->Args({50, 1, 15})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

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
    g_sharedWindow.reset();
    benchmark::Shutdown();
    return 0;
}
