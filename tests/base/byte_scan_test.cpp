// The byte scanners and ASCII case helpers shared by the tokenizer and the encoding sniffer.

#include "base/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/ascii_case.h"

namespace vellumar {
namespace {

TEST(Scanners, FindTextNoCaseFoldsOnlyAsciiLetters)
{
    const std::string d = "xx</ScRiPt>\xc0\xe0";
    const auto n = static_cast<std::int32_t>(d.size());
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, 0, "</script"), 2);
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, 3, "</script"), -1);
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, 0, "\xe0\xe0"), -1);  // Cyrillic is not folded
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, 0, ""), -1);
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, n, "x"), -1);
    EXPECT_EQ(scan::findTextNoCase(d.data(), n, 0, "\xc0\xe0"), n - 2);  // ends exactly at the last byte
}

TEST(Scanners, SkipSpacesBothWays)
{
    const std::string d = " \t\r\nab \n";
    const auto n = static_cast<std::int32_t>(d.size());
    EXPECT_EQ(scan::skipSpaces(d.data(), n, 0), 4);
    EXPECT_EQ(scan::skipSpaces(d.data(), n, 6), -1);
    EXPECT_EQ(scan::skipSpaces(d.data(), n, -1), -1);
    EXPECT_EQ(scan::skipSpacesBack(d.data(), n, n - 1), 5);
    EXPECT_EQ(scan::skipSpacesBack(d.data(), n, 3), -1);
    EXPECT_EQ(scan::skipSpacesBack(d.data(), n, n), -1);
    const std::string nbsp = "\xa0\x0c";  // only TAB, LF, CR and space are whitespace
    EXPECT_EQ(scan::skipSpaces(nbsp.data(), 2, 0), 0);
}

TEST(Scanners, QuotedRunsHideTheByte)
{
    const std::string d = "a\"=\"'=\\'='=";
    const auto n = static_cast<std::int32_t>(d.size());
    EXPECT_EQ(scan::findCharOutsideQuotes(d.data(), n, 0, '='), n - 1);
    EXPECT_EQ(scan::findCharOutsideQuotes(d.data(), n, 0, '>'), -1);
    const std::string open = "a \"b c";
    EXPECT_EQ(scan::findSpaceOutsideQuotes(open.data(), 6, 2), -1);  // run still open at the end
    EXPECT_EQ(scan::findSpaceOutsideQuotes(open.data(), 6, 0), 1);
}

TEST(Scanners, AsciiRunEndsAtTheFirstHighByteWhereverItFalls)
{
    // Every place in and around the eight-byte words, and runs shorter than a word.
    for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 16u, 23u}) {
        for (std::size_t high = 0; high <= length; ++high) {
            std::string text(length, 'a');
            if (high < length) text[high] = '\x80';
            for (std::size_t from = 0; from <= high; ++from)
                EXPECT_EQ(scan::asciiRunEnd(text, from), high) << length << " " << high << " " << from;
        }
    }
    EXPECT_EQ(scan::asciiRunEnd("\xff", 0), 0u);
    EXPECT_EQ(scan::asciiRunEnd("abc\x7f", 0), 4u);  // DEL is ASCII
}

// The vector scanners against byte-by-byte readings of their rules (quoted runs included), on
// texts made mostly of the bytes they look for, at every offset within and across their 16-byte blocks.
TEST(Scanners, BlockScannersAgreeWithTheirRulesEverywhere)
{
    const auto blank = [](char c) { return c == '\t' || c == ' ' || static_cast<unsigned char>(c) == 160; };
    const auto special = [](char c, bool attribute, bool lineBreaks) {
        const auto u = static_cast<unsigned char>(c);
        return c == '&' || c == '<' || c == '>' || (attribute && c == '"') ||
               (u < 0x20 && c != '\t' && (lineBreaks || (c != '\n' && c != '\r'))) || u == 0x98;
    };
    const auto crLfLines = [](const std::string& t) {
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n')) return false;
            if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) return false;
        }
        return true;
    };
    // The first wanted byte outside '...' and "..." runs, a quote after a backslash not ending its run.
    const auto outsideQuotes = [](const std::string& t, std::size_t from, auto wanted) -> std::int32_t {
        char open = 0;
        for (std::size_t i = from; i < t.size(); ++i) {
            if (open != 0) {
                if (t[i] == open && t[i - 1] != '\\') open = 0;
            } else if (wanted(t[i])) {
                return static_cast<std::int32_t>(i);
            } else if (t[i] == '"' || t[i] == '\'') {
                open = t[i];
            }
        }
        return -1;
    };
    const std::string alphabet = std::string("ab \t\r\n&<>\"'\\=\x01\x1f\x20\x98\xa0\xc0iImMgG") + '\0';
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int round = 0; round < 4000; ++round) {
        const std::size_t size = next() % 70;
        std::string text(size, 'x');
        // Mostly plain bytes, so that the scanners run over whole blocks before a hit.
        const unsigned density = 1 + next() % 40;
        for (char& c : text)
            if (next() % density == 0) c = alphabet[next() % alphabet.size()];
        if (round % 3 == 0) text = "a\r\nb\r\n" + text;
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(scan::endsEveryLineWithCrLf(text), crLfLines(text));
        for (std::size_t from = 0; from <= size + 1; ++from) {
            std::size_t doubled = std::max<std::size_t>(from, 1);
            while (doubled < text.size() && !(blank(text[doubled]) && blank(text[doubled - 1]))) ++doubled;
            EXPECT_EQ(scan::nextDoubleBlank(text, from), std::min(doubled, text.size()));
            if (from < text.size()) {
                const auto n = static_cast<std::int32_t>(text.size());
                const auto start = static_cast<std::int32_t>(from);
                EXPECT_EQ(scan::findCharOutsideQuotes(text.data(), n, start, '='),
                          outsideQuotes(text, from, [](char c) { return c == '='; }));
                EXPECT_EQ(scan::findSpaceOutsideQuotes(text.data(), n, start),
                          outsideQuotes(text, from, [](char c) { return scan::isSpace(c); }));
            }
            for (const bool attribute : {false, true}) {
                for (const bool lineBreaks : {false, true}) {
                    std::size_t at = from;
                    while (at < text.size() && !special(text[at], attribute, lineBreaks)) ++at;
                    EXPECT_EQ(scan::nextXmlSpecial(text, from, attribute, lineBreaks), std::min(at, text.size()));
                }
            }
        }
    }
}

TEST(AsciiCase, OnlyAsciiLettersFold)
{
    EXPECT_TRUE(equalsNoCase("ScRiPt", "sCrIpT"));
    EXPECT_FALSE(equalsNoCase("script", "scrip"));
    EXPECT_FALSE(equalsNoCase("\xc0", "\xe0"));  // windows-1251 letters keep their case
    EXPECT_FALSE(equalsNoCase("[", "{"));
    EXPECT_EQ(asciiLower("IMG.JPG \xc0Z"), "img.jpg \xc0z");
    static_assert(equalsNoCase("Body", "bODY"));
}

}  // namespace
}  // namespace vellumar
