#include "cleaning/attribute_quoting.h"

#include <gtest/gtest.h>

#include <string>

#include "html/tokenizer.h"

namespace vellumar {
namespace {

struct QuoteCase {
    std::string_view name, value, expected;
};

const QuoteCase kQuoteCases[] = {
    {"src", "pic.jpg", "\"pic.jpg\""},
    {"style", "width:10px", "'width:10px'"},
    {"alt", "", "\"\""},
    {"style", "font-family:\"Times New Roman\"", "'font-family:\"Times New Roman\"'"},
    {"alt", "don't", "\"don't\""},
    {"alt", "say \"hi\"", "'say \"hi\"'"},
    {"style", "font-family:'Arial'", "\"font-family:'Arial'\""},
    {"alt", "5'11\" tall", "\"5'11&quot; tall\""},
    {"encoding", "windows-1251\"?", "'windows-1251\"?'"},
    {"style", "a:'b' c:\"d\"", "'a:&#39;b&#39; c:\"d\"'"},
    {"href", "C:\\dir\\", "\"C:\\dir&#92;\""},
};

TEST(QuoteAttributeValue, ChoosesQuotesThatHoldTheValue)
{
    for (const QuoteCase& c : kQuoteCases)
        EXPECT_EQ(quoteAttributeValue(c.name, c.value), c.expected) << c.name << "=" << c.value;
}

// Whatever the value, the written attribute reads back as one attribute with the same value
// (references aside), and the tag ends where it should.
TEST(QuoteAttributeValue, WrittenValueReadsBackAsOneAttribute)
{
    for (const QuoteCase& c : kQuoteCases) {
        HtmlParser parser;
        parser.parse("<html><x " + std::string(c.name) + "=" + quoteAttributeValue(c.name, c.value) + ">after");
        ASSERT_EQ(parser.itemCount(), 3) << c.value;
        const HtmlItem tag = parser.item(1);
        ASSERT_EQ(tag.paramCount(), 1) << c.value;
        EXPECT_EQ(tag.param(0).key(), c.name);
        if (c.expected.find('&') == std::string_view::npos) {
            EXPECT_EQ(tag.param(0).value(), c.value);
        }
        EXPECT_EQ(parser.item(2).text(), "after");
    }
}

}  // namespace
}  // namespace vellumar
