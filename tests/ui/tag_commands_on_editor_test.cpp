// The FB2 tag commands on the window's real FB2 editor, with the cases the in-memory editor runs.

#include <gtest/gtest.h>

#include "shared_code_editor.h"
#include "support/case_name.h"

#include "editing/tag_commands.h"
#include "support/tag_command_cases.h"
#include "ui/editor/code_editor.h"

namespace vellumar {
namespace {

using testing::TagCommandCase;

using TagCommandOnCodeEditor = testing::OnSharedCodeEditor<TagCommandCase>;

TEST_P(TagCommandOnCodeEditor, SameResultCaretAndUndoAsInMemory)
{
    const TagCommandCase& c = GetParam();
    Editor& editor = s_memo->editor();
    editor.setText(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    wrapSelection(editor, c.command);
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
