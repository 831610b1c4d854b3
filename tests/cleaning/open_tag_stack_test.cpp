#include "cleaning/open_tag_stack.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumar {
namespace {

// Popped texts stay readable until the next push, also when two are popped in a row; a push
// after pops lays its texts over theirs; an empty stack pops empty texts.
TEST(OpenTagStack, PoppedTextsLastUntilTheNextPush)
{
    OpenTagStack stack;
    EXPECT_TRUE(stack.TopOpenTagIs(""));
    stack.PushOpenTag("</i></b></p>", "</p>");
    stack.PushOpenTag("</span>", "</span>");
    stack.PushOpenTag(std::string(300, 'x'), "</big>");  // grows the texts' string
    EXPECT_TRUE(stack.TopOpenTagIs("</big>"));
    EXPECT_FALSE(stack.TopOpenTagIs("</p>"));

    const TOpenTagEntry big = stack.PopOpenTag();
    const TOpenTagEntry span = stack.PopOpenTag();
    EXPECT_EQ(big.CloseKey, "</big>");
    EXPECT_EQ(big.CloseText, std::string(300, 'x'));
    EXPECT_EQ(span.CloseKey, "</span>");
    EXPECT_EQ(span.CloseText, "</span>");
    EXPECT_EQ(stack.size(), 1u);

    stack.PushOpenTag("</td>", "</td>");
    EXPECT_TRUE(stack.TopOpenTagIs("</td>"));
    EXPECT_EQ(stack.PopOpenTag().CloseText, "</td>");
    const TOpenTagEntry p = stack.PopOpenTag();
    EXPECT_EQ(p.CloseKey, "</p>");
    EXPECT_EQ(p.CloseText, "</i></b></p>");
    EXPECT_TRUE(stack.empty());
    const TOpenTagEntry none = stack.PopOpenTag();
    EXPECT_TRUE(none.CloseKey.empty() && none.CloseText.empty());
    EXPECT_TRUE(stack.empty());
}

}  // namespace
}  // namespace vellumar
