#include "editing/find_replace.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <string>

#include "editing/memory_editor.h"
#include "support/find_replace_cases.h"

namespace vellumar {
namespace {

using testing::FindReplaceCase;
using testing::SearchStep;

class FindReplaceOnMemoryEditor : public ::testing::TestWithParam<FindReplaceCase> {};

TEST_P(FindReplaceOnMemoryEditor, Step)
{
    const FindReplaceCase& c = GetParam();
    MemoryEditor editor(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    switch (c.step) {
    case SearchStep::Find: EXPECT_EQ(findFrom(&editor, c.pattern), c.expectedResult); break;
    case SearchStep::Replace: EXPECT_EQ(replaceCurrent(&editor, c.pattern, c.replacement), c.expectedResult); break;
    case SearchStep::All: EXPECT_EQ(replaceAll(&editor, c.pattern, c.replacement), c.expectedCount); break;
    }
    EXPECT_EQ(editor.text(), c.expectedText);
    EXPECT_EQ(editor.selectionStart(), c.expectedStart);
    EXPECT_EQ(editor.selectionLength(), c.expectedLength);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindReplaceOnMemoryEditor, ::testing::ValuesIn(testing::kFindReplaceCases),
                         vellumar::testing_support::CaseName{});

TEST(FindReplace, WithoutAnEditorNothingHappens)
{
    EXPECT_EQ(findFrom(nullptr, "a"), FindResult::NoSearch);
    EXPECT_EQ(replaceCurrent(nullptr, "a", "b"), FindResult::NoSearch);
    EXPECT_EQ(replaceAll(nullptr, "a", "b"), std::nullopt);
}

TEST(FindReplace, RepeatedFindWalksToTheEndAndStaysThere)
{
    MemoryEditor editor("x ab ab ab");
    std::vector<std::size_t> starts;
    while (findFrom(&editor, "ab") == FindResult::Found) starts.push_back(editor.selectionStart());
    EXPECT_EQ(starts, (std::vector<std::size_t>{2, 5, 8}));
    EXPECT_EQ(editor.selectionStart(), 8u);  // the end never wraps to the top
    EXPECT_EQ(findFrom(&editor, "ab"), FindResult::NotFound);
}

TEST(FindReplace, ReplaceAllIsOneUndoStepAndOneRepaint)
{
    MemoryEditor editor("one a two a three a");
    editor.select(4, 1);
    EXPECT_EQ(replaceAll(&editor, "a", "bb"), 3u);
    EXPECT_EQ(editor.text(), "one bb two bb three bb");
    EXPECT_EQ(editor.repaintCount(), 1);
    EXPECT_EQ(editor.updateDepth(), 0);
    editor.undo();
    EXPECT_EQ(editor.text(), "one a two a three a");
    EXPECT_FALSE(editor.canUndo());
}

TEST(FindReplace, ReplaceAllWithoutAMatchStillBalancesRepainting)
{
    MemoryEditor editor("abc");
    EXPECT_EQ(replaceAll(&editor, "zz", "y"), 0u);
    EXPECT_EQ(editor.repaintCount(), 1);
    EXPECT_EQ(editor.updateDepth(), 0);
    EXPECT_FALSE(editor.canUndo());
}

TEST(FindReplace, ReplaceAllMatchesTheStepByStepLoop)
{
    // The one-pass Replace All gives what pressing Replace until the end would give.
    std::string text;
    for (int i = 0; i < 300; ++i) text += (i % 7 == 0) ? "aba\r\n" : (i % 3 == 0 ? "ab" : "b a ");
    for (const std::string_view replacement : {"", "x", "abab", "\r\n"}) {
        MemoryEditor all(text);
        MemoryEditor stepwise(text);
        findFrom(&all, "ab");
        findFrom(&stepwise, "ab");
        const auto count = replaceAll(&all, "ab", replacement);
        std::size_t steps = 0;
        while (stepwise.selectedText() == "ab") {
            ++steps;
            replaceCurrent(&stepwise, "ab", replacement);
        }
        EXPECT_EQ(count, steps) << replacement;
        EXPECT_EQ(all.text(), stepwise.text()) << replacement;
        EXPECT_EQ(all.selectionStart(), stepwise.selectionStart()) << replacement;
    }
}

TEST(FindReplace, PageDecidesTheEditor)
{
    MemoryEditor source, fb2;
    const struct {
        int page;
        Editor* expected;
    } cases[] = {{0, &source}, {1, &fb2}, {2, nullptr}, {3, nullptr}, {4, nullptr}, {-1, nullptr}};
    for (const auto& c : cases) EXPECT_EQ(searchEditorForPage(c.page, source, fb2), c.expected) << c.page;
}

TEST(FindReplace, Messages)
{
    EXPECT_EQ(endOfTextMessage(), std::string(14, ' ') + "The End" + std::string(14, ' '));
    EXPECT_EQ(itemsReplacedMessage(0), "0 items replaced.");
    EXPECT_EQ(itemsReplacedMessage(100000), "100000 items replaced.");
}

}  // namespace
}  // namespace vellumar
