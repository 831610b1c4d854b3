#include "html/html_entities.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vellumar {
namespace {

struct EntityCase {
    std::string_view name;
    bool found;
    char32_t first;
    char32_t second;
};

// The first and last names of the table and of a first letter's run, two code point entities,
// letter case, and names that are prefixes or extensions of real ones.
TEST(HtmlEntities, LooksNamesUp)
{
    const EntityCase cases[] = {
        {"AElig", true, 0xC6, 0}, {"zwnj", true, 0x200C, 0},
        {"AMP", true, 0x26, 0},   {"amp", true, 0x26, 0},
        {"laquo", true, 0xAB, 0}, {"mdash", true, 0x2014, 0},
        {"zwj", true, 0x200D, 0}, {"NotEqualTilde", true, 0x2242, 0x338},
        {"", false, 0, 0},        {"am", false, 0, 0},
        {"ampx", false, 0, 0},    {"Mdash", false, 0, 0},
        {"1abc", false, 0, 0},    {"\xff", false, 0, 0},
        {"zzzz", false, 0, 0},    {"A", false, 0, 0},
    };
    for (const EntityCase& c : cases) {
        const auto found = lookupHtmlEntity(c.name);
        ASSERT_EQ(found.has_value(), c.found) << c.name;
        if (!found) continue;
        EXPECT_EQ(found->first, c.first) << c.name;
        EXPECT_EQ(found->second, c.second) << c.name;
    }
}

}  // namespace
}  // namespace vellumar
