#include "editing/memory_editor.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(MemoryEditor, LineBreaksAreHeldAsCrLf)
{
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"},
        {"a\n\r\nb\r", "a\r\n\r\nb\r\n"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
        {"\n", "\r\n"},
        {"\r", "\r\n"},
        {"\nab", "\r\nab"},
        {"a\r\r", "a\r\n\r\n"},
        {"ab\r\n\r", "ab\r\n\r\n"},
        {"a\rb\rc\r\nd", "a\r\nb\r\nc\r\nd"},  // lone CRs before a CR LF on the same line
    };
    for (const Case& c : cases) {
        MemoryEditor editor(c.input);
        EXPECT_EQ(editor.text(), c.text) << c.input;
        EXPECT_FALSE(editor.canUndo());
    }
}

TEST(MemoryEditor, PositionsCountBytesAndTwoPerLineBreak)
{
    // "\xCF\xF0\xE8" is windows-1251 Cyrillic: one byte, one position each.
    MemoryEditor editor("\xCF\xF0\xE8\r\nab\ncd");
    editor.select(3, 4);
    EXPECT_EQ(editor.selectedText(), "\r\nab");
    editor.select(5, 4);
    EXPECT_EQ(editor.selectedText(), "ab\r\n");
    EXPECT_EQ(editor.selectionStart(), 5u);
    EXPECT_EQ(editor.selectionLength(), 4u);
}

TEST(MemoryEditor, SelectClampsToTheTextAndToWholeLineBreaks)
{
    struct Case {
        std::size_t start, length, wantStart, wantLength;
    };
    const Case cases[] = {
        {0, 0, 0, 0},     {2, 100, 1, 5},  {100, 5, 6, 0},  {1, static_cast<std::size_t>(-1), 1, 5},
        {2, 1, 1, 2},     // a start inside "\r\n" moves to its CR, so the whole break is selected
        {0, 2, 0, 1},     // an end inside the pair moves back to the CR
    };
    for (const Case& c : cases) {
        MemoryEditor editor("a\r\nbcd");
        editor.select(c.start, c.length);
        EXPECT_EQ(editor.selectionStart(), c.wantStart) << c.start << "+" << c.length;
        EXPECT_EQ(editor.selectionLength(), c.wantLength) << c.start << "+" << c.length;
    }
}

TEST(MemoryEditor, ReplaceSelectionIsOneUndoStepAndLeavesCaretAfter)
{
    MemoryEditor editor("one two three");
    editor.select(4, 3);
    editor.replaceSelection("2\n2");
    EXPECT_EQ(editor.text(), "one 2\r\n2 three");
    EXPECT_EQ(editor.selectionStart(), 8u);
    EXPECT_EQ(editor.selectionLength(), 0u);
    editor.select(0, 0);
    editor.replaceSelection(">");
    EXPECT_EQ(editor.text(), ">one 2\r\n2 three");
    editor.undo();
    EXPECT_EQ(editor.text(), "one 2\r\n2 three");
    editor.undo();
    EXPECT_EQ(editor.text(), "one two three");
    EXPECT_EQ(editor.selectedText(), "two");
    EXPECT_FALSE(editor.canUndo());
}

TEST(MemoryEditor, EmptyReplacementOfEmptySelectionChangesNothing)
{
    MemoryEditor editor("abc");
    editor.select(1, 0);
    editor.replaceSelection("");
    EXPECT_EQ(editor.text(), "abc");
    EXPECT_FALSE(editor.canUndo());
    editor.select(1, 1);
    editor.replaceSelection("");
    EXPECT_EQ(editor.text(), "ac");
    EXPECT_TRUE(editor.canUndo());
}

TEST(MemoryEditor, SetTextForgetsUndoAndUpdatesNest)
{
    MemoryEditor editor("x");
    editor.replaceSelection("y");
    editor.setText("z");
    EXPECT_FALSE(editor.canUndo());
    {
        EditorUpdateGuard outer(editor);
        EditorUpdateGuard inner(editor);
        EXPECT_EQ(editor.updateDepth(), 2);
    }
    EXPECT_EQ(editor.updateDepth(), 0);
    EXPECT_EQ(editor.repaintCount(), 1);
}

}  // namespace
}  // namespace vellumar
