#include "cleaning/attribute_quoting.h"

#include <gtest/gtest.h>

#include "html/tokenizer.h"

namespace vellumar {
namespace {

TEST(QuoteAttributeValue, QuotesByName)
{
    EXPECT_EQ(QuoteAttributeValue("src", "pic.jpg"), "\"pic.jpg\"");
    EXPECT_EQ(QuoteAttributeValue("style", "width:10px"), "'width:10px'");
    EXPECT_EQ(QuoteAttributeValue("alt", ""), "\"\"");
}

TEST(QuoteAttributeValue, ValueHoldingItsQuoteStaysReadable)
{
    EXPECT_EQ(QuoteAttributeValue("encoding", "windows-1251\"?"), "'windows-1251\"?'");
    EXPECT_EQ(QuoteAttributeValue("style", "font-family:'Arial'"), "\"font-family:'Arial'\"");
    EXPECT_EQ(QuoteAttributeValue("title", "it's \"x\""), "\"it's &quot;x&quot;\"");
    EXPECT_EQ(QuoteAttributeValue("style", "a'\"b"), "'a&#39;\"b'");

    // What the rebuilt tag says is read back whole, and the text after it survives.
    THTMLParser parser;
    parser.Buffer = "<html><?xml encoding=" + QuoteAttributeValue("encoding", "windows-1251\"?") + ">after";
    parser.Parse();
    ASSERT_EQ(parser.ItemCount(), 3);
    EXPECT_EQ(parser.Item(1).Param(0).Value(), "windows-1251\"?");
    EXPECT_EQ(parser.Item(2).Text(), "after");
}

}  // namespace
}  // namespace vellumar
