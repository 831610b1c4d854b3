#include "convert/xml_text.h"

#include <gtest/gtest.h>

#include "base/text_rules.h"

namespace vellumar {
namespace {

struct Case {
    const char* input;
    const char* expected;
};

TEST(XmlSafeText, EntitiesAndBareAmpersands)
{
    const Case cases[] = {
        {"Tom &amp; Jerry", "Tom &amp; Jerry"},
        {"&lt;&gt;&quot;&apos;", "&lt;&gt;&quot;&apos;"},
        {"&laquo;x&raquo;", "\xabx\xbb"},           // windows-1251 has the guillemets
        {"a&mdash;b&hellip;", "a\x97" "b\x85"},     // and the dash and ellipsis
        {"&alpha;", "&#945;"},                      // it lacks Greek: a numeric reference
        {"&copy; 2026", "\xa9 2026"},
        {"R&D", "R&amp;D"},
        {"&unknown;", "&amp;unknown;"},
        {"&amp", "&amp;amp"},
        {"&#8230;&#x2026;", "&#8230;&#x2026;"},
        {"&#0;&#x1;&#xFFFE;&#99999999;x", "x"},       // forbidden characters are dropped
        {"&#;&#x;", "&amp;#;&amp;#x;"},
        {"a\x01\x08\x0b\x0c\x1f" "b\t\r\n", "ab\t\r\n"},
        {"\x98", ""},                               // windows-1251 has no character there
        {"a<b", "a&lt;b"},
        {"a>b ]]>", "a>b ]]&gt;"},
        {"&AMP;&LT;", "&amp;&lt;"},
        {"&NotEqualTilde;", "&#8770;&#824;"},       // two code points
    };
    for (const Case& c : cases) EXPECT_EQ(xmlSafeText(c.input), c.expected) << c.input;
}

// "&#X" is valid HTML but not XML; 128..159 are what old pages use for windows-1252's dashes,
// quotes and ellipsis, which would otherwise be invisible control characters in the book.
TEST(XmlSafeText, NumericReferencesAsBrowsersReadThem)
{
    const Case cases[] = {
        {"&#X41;&#X2026;&#Xd7ff;", "&#x41;&#x2026;&#xd7ff;"},
        {"&#X0;&#XFFFE;x", "x"},
        {"&#150;&#151;&#146;&#133;", "\x96\x97\x92\x85"},   // en and em dash, apostrophe, ellipsis
        {"&#x96;&#X93;&#x94;", "\x96\x93\x94"},
        {"&#128;&#153;", "\x88\x99"},                       // the euro and trade mark signs
        {"&#131;&#140;&#159;", "&#402;&#338;&#376;"},        // windows-1251 lacks these: references
        {"&#129;&#141;&#143;&#144;&#157;", "&#129;&#141;&#143;&#144;&#157;"},  // empty in windows-1252
        {"&#127;&#160;", "&#127;&#160;"},
    };
    for (const Case& c : cases) EXPECT_EQ(xmlSafeText(c.input), c.expected) << c.input;
    EXPECT_EQ(xmlSafeAttributeValue("&#X22;&#147;"), "&#x22;\x93");
    EXPECT_EQ(escapeXmlValue("&#X41;&#150;"), "&#x41;\x96");
}

TEST(XmlSafeText, AttributeValuesAlsoEscapeQuotes)
{
    EXPECT_EQ(xmlSafeAttributeValue("say \"hi\" & go"), "say &quot;hi&quot; &amp; go");
    EXPECT_EQ(xmlSafeAttributeValue("&QUOT;>"), "&quot;&gt;");
}

// Body text in one pass must say what the separate steps said: straighten the written line
// breaks, turn the three rule references into their characters, then make the text safe.
TEST(AppendBodyText, EqualsTheStepsOneAfterAnother)
{
    const char* const inputs[] = {
        "plain text",
        "line\r\nbreak\nand\rmore",
        "&nbsp;&quot;&#8209;",
        "a&nbsp;b&quot;c&quot;&#8209;d&NBSP;&QUOT;&#x2011;",
        "&#10;&#13;&#x0A;&NewLine; written\r\nbreaks",
        "&nb\r\nsp; &quo\nt; &#82\r09;",
        "]]&gt; ]]> ]&#93;> ]]&nbsp;>",
        "&&nbsp;quot; &&quot; &amp;nbsp;",
        "&laquo;\x01x\x98&raquo; <b> & R&D",
        "&nbsp",
        "&#8209",
        "",
    };
    for (const char* input : inputs) {
        for (const bool straighten : {false, true}) {
            std::string stepByStep = straighten ? straightenLineBreaks(input) : std::string(input);
            stepByStep = applyEntityRules(replaceEntityByChar(stepByStep, 32, "&nbsp;"));
            std::string oneByOne = "]";
            appendXmlSafeText(oneByOne, stepByStep);
            std::string onePass = "]";
            appendBodyText(onePass, input, straighten);
            EXPECT_EQ(onePass, oneByOne) << input << (straighten ? " straightened" : "");
        }
    }
}

TEST(EscapeXmlValue, TypedValues)
{
    const Case cases[] = {
        {"Tom & Jerry", "Tom &amp; Jerry"},
        {"<b>", "&lt;b&gt;"},
        {"&amp;", "&amp;amp;"},
        {"&#1234;", "&#1234;"},  // a character the code page lacked stays a reference
        {"&#0;", "&amp;#0;"},
        {"a\x01" "b", "ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(escapeXmlValue(c.input), c.expected) << c.input;
}

TEST(IsXmlName, Names)
{
    EXPECT_TRUE(isXmlName("cellpadding"));
    EXPECT_TRUE(isXmlName("data-x_1.y"));
    EXPECT_FALSE(isXmlName(""));
    EXPECT_FALSE(isXmlName("nowrap hidden"));
    EXPECT_FALSE(isXmlName("1a"));
    EXPECT_FALSE(isXmlName("o:p"));
    EXPECT_FALSE(isXmlName("/"));
}

}  // namespace
}  // namespace vellumar
