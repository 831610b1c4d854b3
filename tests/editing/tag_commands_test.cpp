#include "editing/tag_commands.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include "editing/memory_editor.h"
#include "support/tag_command_cases.h"

namespace vellumar {
namespace {

using testing::TagCommandCase;

class TagCommandOnMemoryEditor : public ::testing::TestWithParam<TagCommandCase> {};

TEST_P(TagCommandOnMemoryEditor, ReplacesSelectionAndLeavesCaretAfter)
{
    const TagCommandCase& c = GetParam();
    MemoryEditor editor(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    wrapSelection(editor, c.command);
    EXPECT_EQ(editor.text(), c.expectedText);
    EXPECT_EQ(editor.selectionStart(), c.expectedCaret);
    EXPECT_EQ(editor.selectionLength(), 0u);
}

TEST_P(TagCommandOnMemoryEditor, OneUndoRestoresTheText)
{
    const TagCommandCase& c = GetParam();
    MemoryEditor editor(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    wrapSelection(editor, c.command);
    EXPECT_EQ(editor.canUndo(), c.expectedText != c.text);
    editor.undo();
    EXPECT_EQ(editor.text(), c.text);
    EXPECT_FALSE(editor.canUndo());
}

INSTANTIATE_TEST_SUITE_P(TagCommands, TagCommandOnMemoryEditor, ::testing::ValuesIn(testing::kTagCommandCases),
                         vellumar::testing_support::CaseName{});

TEST(ParagraphsToVerses, OnlyTheFourExactTagsChange)
{
    struct Case {
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""},
        {"<p>a</p><P>b</P>", "<v>a</v><v>b</v>"},
        {"<p class=\"x\">a</p>", "<p class=\"x\">a</v>"},
        {"< p>a</ p><pre></pre><poem></poem>", "< p>a</ p><pre></pre><poem></poem>"},
        {"<<p>>", "<<v>>"},
        {"</p></p>", "</v></v>"},
        {"<p><p>", "<v><v>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paragraphsToVerses(c.input), c.expected) << c.input;
}

TEST(WrapSelection, CommandsInARowUndoOneByOne)
{
    MemoryEditor editor("word");
    editor.select(0, 4);
    wrapSelection(editor, TagCommand::Strong);
    editor.select(0, editor.text().size());
    wrapSelection(editor, TagCommand::Paragraph);
    EXPECT_EQ(editor.text(), "\r\n<p><strong>word</strong></p>\r\n");
    editor.undo();
    EXPECT_EQ(editor.text(), "<strong>word</strong>");
    editor.undo();
    EXPECT_EQ(editor.text(), "word");
}

}  // namespace
}  // namespace vellumar
