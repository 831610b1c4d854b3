#include "html/tokenizer.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vellumar {
namespace {

// Items as short strings: "tag:NAME[KEY=VALUE,...]", "text:...", "comment:...", "script:...".
std::vector<std::string> describe(const HtmlParser& parser)
{
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
        const HtmlItem item = parser.item(i);
        switch (item.kind()) {
        case HtmlItemKind::Tag: {
            std::string s = "tag:" + std::string(item.name());
            if (item.paramCount() > 0) {
                s += '[';
                for (std::int32_t k = 0; k < item.paramCount(); ++k) {
                    if (k > 0) s += ',';
                    s += std::string(item.param(k).key()) + "=" + std::string(item.param(k).value());
                }
                s += ']';
            }
            out.push_back(s);
            break;
        }
        case HtmlItemKind::Text: out.push_back("text:" + std::string(item.text())); break;
        case HtmlItemKind::Comment: out.push_back("comment:" + std::string(item.text())); break;
        case HtmlItemKind::ServerScript: out.push_back("script:" + std::string(item.text())); break;
        }
    }
    return out;
}

struct Case {
    const char* name;
    std::string input;
    std::vector<std::string> items;
    std::vector<std::pair<std::string, std::string>> errors;  // message, text
};

class TokenizerTable : public ::testing::TestWithParam<Case> {};

TEST_P(TokenizerTable, ItemsAndReports)
{
    const Case& c = GetParam();
    HtmlParser parser;
    std::vector<std::pair<std::string, std::string>> errors;
    parser.parse(c.input, [&](std::string_view m, std::string_view t) { errors.emplace_back(m, t); });
    EXPECT_EQ(describe(parser), c.items);
    EXPECT_EQ(errors, c.errors);
}

const std::string kHtml = "<html>";  // makes the buffer HTML for the tokenizer

const Case kCases[] = {
    {"Empty", "", {}, {}},
    {"FragmentWithoutMarkersIsOneText", "<p>a</p>", {"text:<p>a</p>"}, {}},
    {"NamesKeepCaseEntitiesStay", "<html><P Class=x>a&amp;b</P>",
     {"tag:html", "tag:P[Class=x]", "text:a&amp;b", "tag:/P"}, {}},
    {"QuotedGreaterThanDoesNotEnd", kHtml + "<a title=\"x>y\">z", {"tag:html", "tag:a[title=x>y]", "text:z"}, {}},
    {"SelfClosingBreak", kHtml + "<br/>", {"tag:html", "tag:br"}, {}},
    {"SelfClosingBreakWithSpace", kHtml + "<br />", {"tag:html", "tag:br"}, {}},
    {"SelfClosingImageKeepsValue", kHtml + "<img src=\"a.jpg\"/>", {"tag:html", "tag:img[src=a.jpg]"}, {}},
    {"SelfClosingUnquotedValue", kHtml + "<img src=a.jpg />", {"tag:html", "tag:img[src=a.jpg]"}, {}},
    {"ClosingTagKeepsSlash", kHtml + "</a/>", {"tag:html", "tag:/a/"}, {}},
    {"Doctype", kHtml + "<!DOCTYPE html>", {"tag:html", "tag:!DOCTYPE[html=]"}, {}},
    {"CommentWithGreaterThan", kHtml + "<!-- a > b -->", {"tag:html", "comment: a > b "}, {}},
    {"EmptyCommentShortForm", kHtml + "<!-->x", {"tag:html", "comment:", "text:x"}, {}},
    {"CommentEndsAtLastByte", kHtml + "<!--c-->", {"tag:html", "comment:c"}, {}},
    {"ServerScript", kHtml + "<%= x %>", {"tag:html", "script:= x "}, {}},
    {"ScriptContentIsRawText", kHtml + "<script>if (a<b) x='<p>';</SCRIPT>",
     {"tag:html", "tag:script", "text:if (a<b) x='<p>';", "tag:/SCRIPT"}, {}},
    {"StyleContentIsRawText", kHtml + "<style>p>b{}</style>", {"tag:html", "tag:style", "text:p>b{}", "tag:/style"}, {}},
    {"UnclosedScript", kHtml + "<script>x", {"tag:html", "tag:script"}, {{"</script> not match", "x"}}},
    {"UnclosedStyle", kHtml + "<style>", {"tag:html", "tag:style"}, {{"</style> not match", ""}}},
    {"EmptyAngleBrackets", kHtml + "a<>b", {"tag:html", "text:a", "text:b"}, {}},
    {"KeyNotDefined", kHtml + "<a =x>", {"tag:html", "tag:a"}, {{"key not defined in tag", "<a =x>"}}},
    {"KeyNotDefinedThenGoesOn", kHtml + "<a =x b=1>", {"tag:html", "tag:a[b=1]"}, {{"key not defined in tag", "<a =x b=1>"}}},
    {"MarkupWithoutEnd", kHtml + "x<p", {"tag:html", "text:x"}, {{"> not found", "<p"}}},
    {"CommentWithoutEnd", kHtml + "<!-- x", {"tag:html"}, {{"> not found", "<!-- x"}}},
    {"ApostropheOpensQuotedRun", kHtml + "<img alt=don't>x'>y", {"tag:html", "tag:img[alt=don't>x]", "text:y"}, {}},
    {"ApostropheNeverClosed", kHtml + "<img alt=don't>", {"tag:html"}, {{"> not found", "<img alt=don't>"}}},
    {"ValuelessKeysMerge", kHtml + "<td nowrap hidden>", {"tag:html", "tag:td[nowrap hidden=]"}, {}},
    {"ValuelessBeforeValued", kHtml + "<input checked value=1>", {"tag:html", "tag:input[checked value=1]"}, {}},
    {"SpacesAroundEquals", kHtml + "<a b = \"1\"  c='2'>", {"tag:html", "tag:a[b=1,c=2]"}, {}},
    {"MismatchedQuotesBothStripped", kHtml + "<a b=\"1'>", {"tag:html"}, {{"> not found", "<a b=\"1'>"}}},
    {"BackslashEscapesQuote", kHtml + "<a b=\"x\\\">\">", {"tag:html", "tag:a[b=x\\\">]"}, {}},
    {"TextBeforeFirstTag", "lead<body>", {"text:lead", "tag:body"}, {}},
    {"WhitespaceRunsAreItems", "<html>\r\n<body>", {"tag:html", "text:\r\n", "tag:body"}, {}},
    {"NoCaseMarkers", "<BODY>x", {"tag:BODY", "text:x"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, TokenizerTable, ::testing::ValuesIn(kCases),
                         vellumar::testing_support::CaseName{});

// Each tag's attributes end where the next item's begin, whatever kinds lie between.
const Case kAttributeCases[] = {
    {"AttributesStayWithTheirTag",
     kHtml + "<a b=1>x<!--c--><br><%s%><p c=2 d=3>",
     {"tag:html", "tag:a[b=1]", "text:x", "comment:c", "tag:br", "script:s", "tag:p[c=2,d=3]"},
     {}},
    {"AttributesOfTagBeforeLastText", kHtml + "<a b=1 c=2>tail", {"tag:html", "tag:a[b=1,c=2]", "text:tail"}, {}},
    {"UnnamedTagKeepsAttributes", kHtml + "< a=1>", {"tag:html", "tag:[a=1]"}, {}},
};

INSTANTIATE_TEST_SUITE_P(AttributeCases, TokenizerTable, ::testing::ValuesIn(kAttributeCases),
                         vellumar::testing_support::CaseName{});

TEST(Tokenizer, TagTextViewsTheWholeMarkup)
{
    HtmlParser parser;
    parser.parse("<html><img src=\"a.jpg\" />");
    ASSERT_EQ(parser.itemCount(), 2);
    EXPECT_EQ(parser.item(1).tagText(), "img src=\"a.jpg\" /");
    EXPECT_EQ(parser.lastTagName(), "img");
}

TEST(Tokenizer, ReusedParserStartsFresh)
{
    HtmlParser parser;
    int reports = 0;
    const HtmlErrorHandler count = [&](std::string_view, std::string_view) { ++reports; };
    parser.parse("<html><script>never closed", count);
    EXPECT_EQ(reports, 1);
    parser.parse("before<html>after");
    EXPECT_EQ(parser.text(), "before<html>after");
    EXPECT_EQ(describe(parser), (std::vector<std::string>{"text:before", "tag:html", "text:after"}));
    // The handler of an earlier parse is not kept.
    parser.parse("<html><p");
    EXPECT_EQ(reports, 1);
}

// A large source is handed over, not copied: the items view the caller's own bytes.
TEST(Tokenizer, TakesTheTextOver)
{
    std::string text = "<html><body>" + std::string(1000, 'x') + "</body>";
    const char* bytes = text.data();
    HtmlParser parser;
    parser.parse(std::move(text));
    EXPECT_EQ(parser.text().data(), bytes);
    ASSERT_EQ(parser.itemCount(), 4);
    EXPECT_EQ(parser.item(2).text().data(), bytes + 12);
}

TEST(Tokenizer, OtherItemsHaveNoNameNorAttributes)
{
    HtmlParser parser;
    parser.parse("lead<html a=1><!--c b=2--><%d e=3%><script>f=4</script>");
    ASSERT_EQ(parser.itemCount(), 7);
    for (const std::int32_t i : {0, 2, 3, 5}) {
        EXPECT_FALSE(parser.item(i).isTag()) << i;
        EXPECT_TRUE(parser.item(i).name().empty()) << i;
        EXPECT_EQ(parser.item(i).paramCount(), 0) << i;
    }
    EXPECT_EQ(parser.item(1).paramCount(), 1);
}

TEST(Tokenizer, ClearDropsTextAndItems)
{
    HtmlParser parser;
    parser.parse("<html a=1>x");
    parser.clear();
    EXPECT_TRUE(parser.text().empty());
    EXPECT_EQ(parser.itemCount(), 0);
    EXPECT_TRUE(parser.params().empty());
    EXPECT_TRUE(parser.lastTagName().empty());
}

// A book of `lines` lines with attributes, comments, raw text and problems at the end; 60000
// lines make a book large enough (5 MB) to be tokenized on another thread.
std::string batchBook(int lines)
{
    std::string book = "<html><body>";
    for (int i = 0; i < lines; ++i)
        book += "<p class=\"c" + std::to_string(i % 7) + "\" id=p" + std::to_string(i) + ">Line " + std::to_string(i) +
                "<br/><!-- n --><b x=1 y='2' z>bold</b><a =x></p>\r\n";
    book += "<script>a < b</script><style>p{}</style><p a=\"unclosed";
    for (const Case& c : kCases) book += c.input;
    return book;
}

// Batches must show the items the whole list shows, in order, including the attributes of the
// last tag of a batch and of the first tag of the next, and the problems reported, whether the
// batches are dropped or kept and whether the text is tokenized in turn or on another thread.
TEST(Tokenizer, BatchesHoldTheItemsOfTheWholeList)
{
    for (const int lines : {2000, 60000}) {
        const std::string book = batchBook(lines);
        std::vector<std::string> reports;
        const HtmlErrorHandler note = [&](std::string_view message, std::string_view text) {
            reports.push_back(std::string(message) + ":" + std::string(text.substr(0, 20)));
        };
        HtmlParser whole;
        whole.parse(book, note);
        const std::vector<std::string> expected = describe(whole);
        const std::vector<std::string> wholeReports = std::exchange(reports, {});

        for (const HtmlParser::Batches batches : {HtmlParser::Batches::Dropped, HtmlParser::Batches::Kept}) {
            const bool kept = batches == HtmlParser::Batches::Kept;
            HtmlParser batched;
            std::vector<std::string> seen;
            int calls = 0;
            std::size_t reportsBefore = 0;
            batched.parseInBatches(
                book, note,
                [&] {
                    ++calls;
                    // Problems come before the batch they were met in, none after it.
                    EXPECT_GE(reports.size(), reportsBefore);
                    reportsBefore = reports.size();
                    std::vector<std::string> items = describe(batched);
                    if (kept) items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(seen.size()));
                    for (std::string& item : items) seen.push_back(std::move(item));
                },
                batches);
            SCOPED_TRACE(std::to_string(lines) + (kept ? " kept" : " dropped"));
            EXPECT_GE(calls, 3);
            EXPECT_EQ(seen, expected);
            EXPECT_EQ(std::exchange(reports, {}), wholeReports);
            EXPECT_EQ(batched.itemCount(), kept ? whole.itemCount() : 0);
        }
    }
}

// A caller that fails in the middle of a large text ends the tokenizing too: the exception
// comes through, and the parser is usable again.
TEST(Tokenizer, AFailingBatchEndsTheTokenizing)
{
    const std::string book = batchBook(60000);
    HtmlParser parser;
    int calls = 0;
    EXPECT_THROW(parser.parseInBatches(book, {},
                                       [&] {
                                           if (++calls == 2) throw std::runtime_error("stop");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(calls, 2);
    parser.parse("<html><p>x");
    EXPECT_EQ(describe(parser), (std::vector<std::string>{"tag:html", "tag:p", "text:x"}));
}

// Every prefix of every case must tokenize without a fault (run under the sanitizers too).
TEST(Tokenizer, EveryPrefixTokenizes)
{
    HtmlParser parser;
    int reports = 0;
    const HtmlErrorHandler count = [&](std::string_view, std::string_view) { ++reports; };
    for (const Case& c : kCases) {
        for (std::size_t n = 0; n <= c.input.size(); ++n) {
            parser.parse(c.input.substr(0, n), count);
            for (std::int32_t i = 0; i < parser.itemCount(); ++i) {
                const HtmlItem item = parser.item(i);
                EXPECT_LE(item.text().size(), n);
                for (std::int32_t k = 0; k < item.paramCount(); ++k) (void)item.param(k).value();
            }
        }
    }
    EXPECT_GT(reports, 0);
}

}  // namespace
}  // namespace vellumar
