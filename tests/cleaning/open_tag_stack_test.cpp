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
    EXPECT_TRUE(stack.topOpenTagIs(""));
    stack.pushOpenTag("</i></b></p>", "</p>");
    stack.pushOpenTag("</span>", "</span>");
    stack.pushOpenTag(std::string(300, 'x'), "</big>");  // grows the texts' string
    EXPECT_TRUE(stack.topOpenTagIs("</big>"));
    EXPECT_FALSE(stack.topOpenTagIs("</p>"));

    const OpenTagEntry big = stack.popOpenTag();
    const OpenTagEntry span = stack.popOpenTag();
    EXPECT_EQ(big.closeKey, "</big>");
    EXPECT_EQ(big.closeText, std::string(300, 'x'));
    EXPECT_EQ(span.closeKey, "</span>");
    EXPECT_EQ(span.closeText, "</span>");
    EXPECT_EQ(stack.size(), 1u);

    stack.pushOpenTag("</td>", "</td>");
    EXPECT_TRUE(stack.topOpenTagIs("</td>"));
    EXPECT_EQ(stack.popOpenTag().closeText, "</td>");
    const OpenTagEntry p = stack.popOpenTag();
    EXPECT_EQ(p.closeKey, "</p>");
    EXPECT_EQ(p.closeText, "</i></b></p>");
    EXPECT_TRUE(stack.empty());
    const OpenTagEntry none = stack.popOpenTag();
    EXPECT_TRUE(none.closeKey.empty() && none.closeText.empty());
    EXPECT_TRUE(stack.empty());
}

}  // namespace
}  // namespace vellumar
