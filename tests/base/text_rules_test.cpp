#include "base/text_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(TextRules, InPlaceFormsMatchTheCopyingOnes)
{
    const std::string texts[] = {
        "",
        " ",
        "a",
        "  ",
        "a\t \xa0 b",
        " \r\n ",
        "\xa0\xa0x",
        "  a  b   ",
        "a b",
        "x    ",
        "    x",
        "no runs at all",
        "a \t\t\t b  c \xa0\xa0 d",
        std::string(70, ' ') + "tail" + std::string(40, '\t'),
    };
    for (const std::string& text : texts) {
        std::string collapsed = text;
        collapseSpaceRunsInPlace(collapsed);
        EXPECT_EQ(collapsed, collapseSpaceRuns(text)) << '[' << text << ']';
        for (std::size_t from : {std::size_t{0}, std::size_t{2}, text.size() + 3}) {
            std::string straightened = text + "\r\nline\rend\n";
            straightenLineBreaksFrom(straightened, from);
            const std::string whole = text + "\r\nline\rend\n";
            const std::size_t kept = std::min(from, whole.size());
            EXPECT_EQ(straightened, whole.substr(0, kept) + straightenLineBreaks(whole.substr(kept))) << from;
        }
    }
}

}  // namespace
}  // namespace vellumar
