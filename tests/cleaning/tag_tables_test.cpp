#include "cleaning/tag_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

namespace vellumar {
namespace {

// Each table against its list: every name on it is found, and so is nothing else among the
// other tables' names, their neighbours in length and case, and names that share a bucket.
TEST(TagTables, EachTableHoldsItsNamesAndNoOthers)
{
    struct Table {
        const char* what;
        std::function<bool(std::string_view)> holds;
        std::vector<std::string> names;
    };
    const std::vector<Table> tables = {
        {"empty", isEmptyElement, {"img", "br", "hr", "meta"}},
        {"dissolved", isDissolvedTag, {"font", "/font", "span", "/span", "div", "/div", "o:p", "/o:p"}},
        {"reduced", isReducedTag, {"p", "table", "tbody", "tr", "td", "h1", "h2", "h3", "h4", "h5", "h6", "body", "br",
                                   "b", "i", "u", "ul", "ol", "li"}},
        {"line break", [](std::string_view n) { return !lineBreakBefore(n).empty(); },
         {"p", "table", "tr", "td", "body", "div", "h1", "h2", "h3", "h4", "h5", "h6", "tbody", "/html", "/body",
          "/tbody", "/table", "title", "head", "/head", "meta", "/tr", "style", "/style", "br", "ul", "ol", "li"}},
        {"table keeps", [](std::string_view n) { return keptAttributes(n, "table"); }, {"border"}},
        {"row keeps", [](std::string_view n) { return keptAttributes(n, "tr"); }, {"align", "valign"}},
        {"cell keeps", [](std::string_view n) { return keptAttributes(n, "td"); }, {"rowspan", "colspan", "align", "valign"}},
    };
    std::vector<std::string> candidates = {"", "x", "/", "h7", "h0", "pp", "tbodyx", "/p", "/td", "img ", "a", "em"};
    for (const Table& t : tables)
        for (const std::string& name : t.names) {
            candidates.push_back(name);
            candidates.push_back(name + "x");
            candidates.push_back(name.substr(0, name.size() - 1));
            candidates.push_back("/" + name);
            std::string upper = name;
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            candidates.push_back(upper);
        }
    for (const Table& t : tables)
        for (const std::string& name : candidates) {
            const bool listed = std::find(t.names.begin(), t.names.end(), name) != t.names.end();
            EXPECT_EQ(t.holds(name), listed) << t.what << ": '" << name << "'";
        }
    EXPECT_FALSE(keptAttributes("border", "span"));  // a dissolved tag keeps nothing
    EXPECT_FALSE(keptAttributes("class", "p"));      // a reduced one keeps nothing either
    EXPECT_TRUE(keptAttributes("class", "a"));
    std::string closing = "<b>";
    appendClosingTagText(closing, "p");
    appendClosingTagText(closing, "img");
    appendClosingTagText(closing, "");
    EXPECT_EQ(closing, "<b></p>");
}

}  // namespace
}  // namespace vellumar
