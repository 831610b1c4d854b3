#include "base/text_rules.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(TextRules, StraightenThenCollapse)
{
    EXPECT_EQ(StraightenLineBreaks("a\r\nb"), "a  b");
    EXPECT_EQ(CollapseSpaceRuns(StraightenLineBreaks("a\r\nb")), "a b");
}

TEST(TextRules, NonBreakingSpaceEntity)
{
    EXPECT_EQ(ReplaceEntityByChar("x&nbsp;&nbsp;y", 32, "&nbsp;"), "x  y");
    EXPECT_EQ(CollapseSpaceRuns(ReplaceEntityByChar("x&nbsp;&nbsp;y", 32, "&nbsp;")), "x y");
    EXPECT_EQ(ReplaceEntityByChar("&NBSP;", 32, "&nbsp;"), "&NBSP;");
    EXPECT_EQ(ReplaceEntityByChar("&quot;a&quot;", 34, "&quot;"), "\"a\"");
}

TEST(TextRules, CodeZeroReplacesAndTrims)
{
    EXPECT_EQ(ReplaceEntityByChar(" a&nbsp;b ", 0, "&nbsp;"), "a b");
    EXPECT_EQ(ReplaceEntityByChar(" ab ", 0, "&nbsp;"), " ab ");  // no occurrence: no trim
    EXPECT_EQ(ReplaceEntityByChar("&nbsp;\x01x&nbsp;", 0, "&nbsp;"), "x");
    EXPECT_EQ(ReplaceEntityByChar("&nbsp;", 0, "&nbsp;"), "");
}

TEST(TextRules, EntityRules)
{
    EXPECT_EQ(ApplyEntityRules("&quot;Hi&quot; &amp; &#8209;"), "\"Hi\" &amp; -");
    EXPECT_EQ(ApplyEntityRules("&Quot;"), "&Quot;");
}

TEST(TextRules, ReplaceAllText)
{
    EXPECT_EQ(ReplaceAllText("aaaa", "aa", "a"), "aa");  // no overlap, no rescanning
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllText("abcabc", "c", "<c>"), "ab<c>ab<c>");
    EXPECT_EQ(ReplaceAllText("", "a", "b"), "");
}

TEST(TextRules, CollapseKeepsFirstBlankOfRun)
{
    EXPECT_EQ(CollapseSpaceRuns("a\t \xa0 b"), "a\tb");
    EXPECT_EQ(CollapseSpaceRuns(" \r\n "), " \r\n ");
    EXPECT_EQ(CollapseSpaceRuns("\xa0\xa0x"), "\xa0x");
    EXPECT_EQ(CollapseSpaceRuns("  a  b   "), " a b ");
    EXPECT_EQ(CollapseSpaceRuns("a b"), "a b");
}

}  // namespace
}  // namespace vellumar
