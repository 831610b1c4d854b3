// Word wrap of a large text: only the lines shown are wrapped, the widget's background wrapping
// is held, and a smaller text afterwards is wrapped whole again. Replacing the whole text leaves
// no undo step, no unsaved change and no trace of the room made for typing.

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>

#include <string>

#include "ui/editor/code_editor.h"

namespace vellumar {
namespace {

using Sci = QsciScintillaBase;

// `lines` lines of `width` characters, each long enough to wrap in a narrow editor.
std::string longLines(std::size_t lines, std::size_t width)
{
    std::string line;
    while (line.size() < width) line += "word ";
    line.resize(width);
    std::string text;
    text.reserve(lines * (width + 2));
    for (std::size_t i = 0; i < lines; ++i) text += line + "\r\n";
    return text;
}

// The display lines above `line` as the widget has wrapped them so far.
long displayLinesAbove(const CodeEditor& memo, long line)
{
    return memo.SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line));
}

// Lets the editor paint and do its background work for a while.
void runEvents(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents();
}

TEST(EditorWrapping, ALargeTextIsWrappedOnlyAsFarAsItIsShown)
{
    CodeEditor memo(SyntaxColouring::Html);
    memo.resize(400, 300);
    memo.show();
    const std::size_t lines = ScintillaEditor::kWrapShownOnlyAbove / 200 + 100;
    const std::string large = longLines(lines, 198);
    memo.setDocumentText(large);
    memo.repaint();
    runEvents(300);
    const auto last = static_cast<long>(lines) - 1;
    EXPECT_TRUE(memo.editor().wrapsOnlyLinesShown());
    EXPECT_GT(displayLinesAbove(memo, 1), 1);  // shown: wrapped
    // Never shown: one display line each (wrapped, each would take several).
    EXPECT_LT(displayLinesAbove(memo, last), last + 100);

    // Typing into it keeps the background work held.
    memo.SendScintilla(Sci::SCI_ADDTEXT, 1UL, "x");
    runEvents(100);
    EXPECT_LT(displayLinesAbove(memo, last), last + 100);

    // A small text is wrapped whole in the background again.
    const std::string small = longLines(200, 198);
    memo.setDocumentText(small);
    EXPECT_FALSE(memo.editor().wrapsOnlyLinesShown());
    QElapsedTimer clock;
    clock.start();
    while (displayLinesAbove(memo, 199) < 2 * 199 && clock.elapsed() < 10000) QApplication::processEvents();
    EXPECT_GE(displayLinesAbove(memo, 199), 2 * 199);
}

TEST(EditorWrapping, ReplacingTheWholeTextLeavesNoTrace)
{
    CodeEditor memo(SyntaxColouring::Xml);
    int changes = 0;
    QObject::connect(&memo, &QsciScintilla::textChanged, [&changes] { ++changes; });
    const std::string texts[] = {"", "a", "<p>\xCF\xF0\xE8</p>\r\n", longLines(3000, 1000)};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 20));
        changes = 0;
        memo.setDocumentText(text);
        EXPECT_EQ(memo.editor().text(), text);
        EXPECT_FALSE(memo.editor().canUndo());
        EXPECT_FALSE(memo.hasUnsavedChanges());
        EXPECT_EQ(memo.editor().selectionStart(), 0U);
        EXPECT_EQ(changes, 1);  // the edit actions learn that there is nothing to undo
        // Typing is one undo step that gives the text back.
        memo.SendScintilla(Sci::SCI_ADDTEXT, 2UL, "xy");
        EXPECT_EQ(memo.editor().text(), "xy" + text);
        memo.editor().undo();
        EXPECT_EQ(memo.editor().text(), text);
        EXPECT_FALSE(memo.hasUnsavedChanges());
    }
}

}  // namespace
}  // namespace vellumar
