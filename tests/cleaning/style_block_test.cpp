#include "cleaning/style_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumar {
namespace {

struct RuleSeen {
    std::string element, className, open, close;
    bool operator==(const RuleSeen&) const = default;
};

void PrintTo(const RuleSeen& r, std::ostream* os)
{
    *os << "{" << r.element << "." << r.className << " " << r.open << " " << r.close << "}";
}

std::vector<RuleSeen> rulesOf(const ClassStyleRules& rules)
{
    std::vector<RuleSeen> seen;
    for (const ClassStyleRule& r : rules.rules())
        seen.push_back({r.element, r.className, r.boldOpen + r.italicOpen, r.italicClose + r.boldClose});
    return seen;
}

std::vector<RuleSeen> parsed(std::string_view styleText)
{
    ClassStyleRules rules;
    parseStyleBlock(styleText, rules);
    return rulesOf(rules);
}

TEST(StripStyleComments, RemovesTheMarksInOrder)
{
    EXPECT_EQ(stripStyleComments("<!-- p.a {} -->"), " p.a {} ");
    EXPECT_EQ(stripStyleComments("a /* b */ c"), "a   c");
    EXPECT_EQ(stripStyleComments("a /* b"), "a ");
    EXPECT_EQ(stripStyleComments("a /* b */ c /* d */ e"), "a   c /* d */ e");  // first comment only
    EXPECT_EQ(stripStyleComments("a */ b /* c"), "a */ b ");  // an end mark before the start is no end
    EXPECT_EQ(stripStyleComments("/*/ x"), "");
    EXPECT_EQ(stripStyleComments("<!--<!-- x"), "<!-- x");
}

TEST(AddClassStyleRules, EntersOneRulePerSelectorOfABoldOrItalicRule)
{
    ClassStyleRules rules;
    addClassStyleRules(" p.x,li.x , .y ", " color:red; font-style:italic ", rules);
    EXPECT_EQ(rulesOf(rules), (std::vector<RuleSeen>{{"p", "x", "<i>", "</i>"},
                                                     {"li", "x", "<i>", "</i>"},
                                                     {"", "y", "<i>", "</i>"}}));
    EXPECT_EQ(*rules.rules()[0].declarations, "color:red;font-style:italic;");
    EXPECT_EQ(rules.rules()[0].declarations, rules.rules()[2].declarations);  // one shared copy
}

TEST(AddClassStyleRules, CollectsDeclarations)
{
    ClassStyleRules rules;
    addClassStyleRules("p.a", "font-weight:bold", rules);  // no ";": appended without one
    addClassStyleRules("p.b", "font-weight:bold; ;", rules);
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_EQ(*rules.rules()[0].declarations, "font-weight:bold");
    EXPECT_EQ(*rules.rules()[1].declarations, "font-weight:bold;;");
}

TEST(AddClassStyleRules, IgnoresPlainAndEmptyRules)
{
    ClassStyleRules rules;
    addClassStyleRules("p.x", "color:red; font-weight:normal", rules);
    addClassStyleRules("", "font-weight:bold", rules);
    addClassStyleRules("p.y", "", rules);
    EXPECT_EQ(rules.size(), 0U);
}

TEST(ParseStyleBlock, ReadsRulesAcrossAndWithinLines)
{
    EXPECT_EQ(parsed("p.a{font-weight:bold} p.b{font-style:italic}"),
              (std::vector<RuleSeen>{{"p", "a", "<b>", "</b>"}, {"p", "b", "<i>", "</i>"}}));
    EXPECT_EQ(parsed("\r\n<!--\r\np.MsoNormal, li.MsoNormal\r\n\t{margin:0cm;\r\n\tfont-weight:bold;\r\n"
                     "\tfont-style:italic;}\r\n-->\r\n"),
              (std::vector<RuleSeen>{{"p", "msonormal", "<b><i>", "</i></b>"},
                                     {"li", "msonormal", "<b><i>", "</i></b>"}}));
    // A selector split over two lines is joined with nothing between the pieces.
    EXPECT_EQ(parsed("p.\nx {font-weight:bold}"), (std::vector<RuleSeen>{{"p", "x", "<b>", "</b>"}}));
}

TEST(ParseStyleBlock, BlockLeftOpenIsNotEntered)
{
    EXPECT_EQ(parsed("p.a{font-weight:bold} p.b{font-style:italic"),
              (std::vector<RuleSeen>{{"p", "a", "<b>", "</b>"}}));
}

TEST(ParseStyleBlock, CommentOverSeveralLinesLosesOnlyItsFirstLine)
{
    // The second line is read as rule text: its selector is glued to what follows.
    EXPECT_EQ(parsed("/* first\nsecond */\np.x {font-weight:bold}"),
              (std::vector<RuleSeen>{{"second */p", "x", "<b>", "</b>"}}));
}

TEST(ClassStyleRules, FirstRuleReadWinsAndLookupIsExact)
{
    ClassStyleRules rules;
    rules.addClassStyleRule("p", "x", "a", false, true);
    rules.addClassStyleRule("p", "x", "b", true, false);
    rules.addClassStyleRule("p.x", "", "c", true, false);
    rules.addClassStyleRule("", "p.x", "d", true, false);
    ASSERT_NE(rules.findClassStyleRule("p", "x"), nullptr);
    EXPECT_EQ(*rules.findClassStyleRule("p", "x")->declarations, "a");
    EXPECT_EQ(*rules.findClassStyleRule("p.x", "")->declarations, "c");
    EXPECT_EQ(*rules.findClassStyleRule("", "p.x")->declarations, "d");
    EXPECT_EQ(rules.findClassStyleRule("P", "x"), nullptr);
    EXPECT_EQ(rules.findClassStyleRule("p", "x "), nullptr);
    EXPECT_EQ(rules.size(), 4U);
    rules.clear();
    EXPECT_EQ(rules.findClassStyleRule("p", "x"), nullptr);
}

}  // namespace
}  // namespace vellumar
