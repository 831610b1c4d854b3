#include "base/text_rules.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(TextRules, StraightenThenCollapse)
{
    EXPECT_EQ(straightenLineBreaks("a\r\nb"), "a  b");
    EXPECT_EQ(collapseSpaceRuns(straightenLineBreaks("a\r\nb")), "a b");
}

TEST(TextRules, NonBreakingSpaceEntity)
{
    EXPECT_EQ(replaceEntityByChar("x&nbsp;&nbsp;y", 32, "&nbsp;"), "x  y");
    EXPECT_EQ(collapseSpaceRuns(replaceEntityByChar("x&nbsp;&nbsp;y", 32, "&nbsp;")), "x y");
    EXPECT_EQ(replaceEntityByChar("&NBSP;", 32, "&nbsp;"), "&NBSP;");
    EXPECT_EQ(replaceEntityByChar("&quot;a&quot;", 34, "&quot;"), "\"a\"");
}

TEST(TextRules, CodeZeroReplacesAndTrims)
{
    EXPECT_EQ(replaceEntityByChar(" a&nbsp;b ", 0, "&nbsp;"), "a b");
    EXPECT_EQ(replaceEntityByChar(" ab ", 0, "&nbsp;"), " ab ");  // no occurrence: no trim
    EXPECT_EQ(replaceEntityByChar("&nbsp;\x01x&nbsp;", 0, "&nbsp;"), "x");
    EXPECT_EQ(replaceEntityByChar("&nbsp;", 0, "&nbsp;"), "");
}

TEST(TextRules, EntityRules)
{
    EXPECT_EQ(applyEntityRules("&quot;Hi&quot; &amp; &#8209;"), "\"Hi\" &amp; -");
    EXPECT_EQ(applyEntityRules("&Quot;"), "&Quot;");
}

TEST(TextRules, ReplaceAllText)
{
    EXPECT_EQ(replaceAllText("aaaa", "aa", "a"), "aa");  // no overlap, no rescanning
    EXPECT_EQ(replaceAllText("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAllText("abcabc", "c", "<c>"), "ab<c>ab<c>");
    EXPECT_EQ(replaceAllText("", "a", "b"), "");
}

TEST(TextRules, CollapseKeepsFirstBlankOfRun)
{
    EXPECT_EQ(collapseSpaceRuns("a\t \xa0 b"), "a\tb");
    EXPECT_EQ(collapseSpaceRuns(" \r\n "), " \r\n ");
    EXPECT_EQ(collapseSpaceRuns("\xa0\xa0x"), "\xa0x");
    EXPECT_EQ(collapseSpaceRuns("  a  b   "), " a b ");
    EXPECT_EQ(collapseSpaceRuns("a b"), "a b");
}

}  // namespace
}  // namespace vellumar
