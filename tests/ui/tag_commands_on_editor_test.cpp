// The FB2 tag commands on the window's real FB2 editor, with the cases the in-memory editor runs.

#include <gtest/gtest.h>

#include "support/case_name.h"

#include "documents/tag_commands.h"
#include "support/tag_command_cases.h"
#include "ui/code_editor.h"

namespace vellumar {
namespace {

using testing::TagCommandCase;

class TagCommandOnCodeEditor : public ::testing::TestWithParam<TagCommandCase> {
protected:
    static void SetUpTestSuite() { s_memo = new CodeEditor(SyntaxColouring::Xml); }
    static void TearDownTestSuite()
    {
        delete s_memo;
        s_memo = nullptr;
    }
    static CodeEditor* s_memo;
};

CodeEditor* TagCommandOnCodeEditor::s_memo = nullptr;

TEST_P(TagCommandOnCodeEditor, SameResultCaretAndUndoAsInMemory)
{
    const TagCommandCase& c = GetParam();
    Editor& editor = s_memo->editor();
    editor.setText(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    WrapSelection(editor, c.command);
    EXPECT_EQ(editor.text(), c.expectedText);
    EXPECT_EQ(editor.selectionStart(), c.expectedCaret);
    EXPECT_EQ(editor.selectionLength(), 0u);
    editor.undo();
    EXPECT_EQ(editor.text(), c.text);
    EXPECT_FALSE(editor.canUndo());
}

INSTANTIATE_TEST_SUITE_P(TagCommands, TagCommandOnCodeEditor, ::testing::ValuesIn(testing::kTagCommandCases),
                         vellumar::testing_support::CaseName{});

}  // namespace
}  // namespace vellumar
