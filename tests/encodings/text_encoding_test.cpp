#include "encodings/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace vellumar {
namespace {

TEST(TextEncoding, Windows1251RoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1251(windows1251ToUtf8(all)), all);
    EXPECT_EQ(windows1251ToUtf8("\xc1\xe5\xeb\xe0\xff \xa8"), "Белая Ё");
}

TEST(TextEncoding, LackingCharactersBecomeReferences)
{
    EXPECT_EQ(utf8ToWindows1251("α → Щ"), "&#945; &#8594; \xd9");
    EXPECT_EQ(utf8ToWindows1251("😀"), "&#128512;");
    EXPECT_EQ(utf8ToWindows1251("a\xff" "b"), "a&#65533;b");  // invalid UTF-8
    EXPECT_EQ(utf8ToCodePage("é€ж", "windows-1252"), "\xe9\x80&#1078;");
    EXPECT_EQ(codePageToUtf8("\x80\xe9", "windows-1252"), "€é");
    EXPECT_EQ(codePageToUtf8("\xa4", "cp866"), "д");
}

TEST(TextEncoding, UnknownCodePageIsAClearError)
{
    try {
        codePageToUtf8("x", "no-such-charset");
        FAIL();
    } catch (const EncodingError& e) {
        EXPECT_STREQ(e.what(), "unknown character set 'no-such-charset'");
    }
    // Named by the user, not by the page: an error, not a guess.
    EXPECT_THROW(sourceToWindows1251("<p>x</p>", "klingon-8"), EncodingError);
}

// Labels in a page are read as browsers read them: a <meta> naming UTF-16 in a page without a
// byte-order mark means UTF-8; a label no one knows is ignored with a warning and the search
// goes on (a later <meta>, then UTF-8 if valid, else windows-1251).
TEST(TextEncoding, PageLabelsAreReadAsBrowsersReadThem)
{
    struct LabelCase {
        const char* name;
        std::string bytes;
        std::string expected;
        std::vector<std::string> warnings;
    };
    const LabelCase cases[] = {
        {"Utf16MeansUtf8", "<meta charset=\"UTF-16\"><p>Ё</p>", "utf-8", {}},
        {"Utf16LeMeansUtf8", "<meta http-equiv=Content-Type content=\"text/html; charset=utf-16le\">", "utf-8", {}},
        {"UnknownThenValidUtf8", "<meta charset=\"x-foo\"><p>Ё</p>", "utf-8",
         {"unknown character set 'x-foo' in <meta> ignored"}},
        {"UnknownThen1251", "<meta charset=klingon-8><p>\xa8</p>", "windows-1251",
         {"unknown character set 'klingon-8' in <meta> ignored"}},
        {"UnknownThenAnotherMeta", "<meta charset=x-foo><meta charset=koi8-r>", "koi8-r",
         {"unknown character set 'x-foo' in <meta> ignored"}},
    };
    for (const LabelCase& c : cases) {
        std::vector<std::string> warnings;
        EXPECT_EQ(detectSourceEncoding(c.bytes, [&](std::string_view w) { warnings.emplace_back(w); }), c.expected)
            << c.name;
        EXPECT_EQ(warnings, c.warnings) << c.name;
    }
    EXPECT_EQ(sourceToWindows1251("<meta charset=\"utf-16\"><p>\xd0\x81</p>"), "<meta charset=\"utf-16\"><p>\xa8</p>");
    EXPECT_EQ(sourceToWindows1251("<meta charset=\"x-foo\">\xa8"), "<meta charset=\"x-foo\">\xa8");
}

struct DetectCase {
    const char* name;
    std::string bytes;
    std::string expected;
};

TEST(TextEncoding, DetectsTheSourceEncoding)
{
    const DetectCase cases[] = {
        {"Bom", "\xEF\xBB\xBF<html>", "utf-8"},
        {"MetaCharset", "<html><meta charset=\"Windows-1252\">\xe9", "windows-1252"},
        {"HttpEquiv", "<META http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">", "koi8-r"},
        {"ValidUtf8", "<p>Привет</p>", "utf-8"},
        {"PlainAscii", "<p>hello</p>", "windows-1251"},
        {"Cyrillic1251", "<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>", "windows-1251"},
        {"MetaAfter4KIgnored", std::string(5000, ' ') + "<meta charset=koi8-r>", "windows-1251"},
    };
    for (const DetectCase& c : cases) EXPECT_EQ(detectSourceEncoding(c.bytes), c.expected) << c.name;
}

TEST(TextEncoding, SourcesBecomeWindows1251)
{
    EXPECT_EQ(sourceToWindows1251("\xEF\xBB\xBF<p>Ё&</p>"), "<p>\xa8&</p>");
    EXPECT_EQ(sourceToWindows1251("<meta charset=iso-8859-1><p>\x93x\x94</p>"),
              "<meta charset=iso-8859-1><p>\x93x\x94</p>");  // read as windows-1252 curly quotes
    EXPECT_EQ(sourceToWindows1251("<meta charset=koi8-r>\xf0", "auto"), "<meta charset=koi8-r>\xcf");
    EXPECT_EQ(sourceToWindows1251("\xcf", "windows-1251"), "\xcf");
    EXPECT_EQ(sourceToWindows1251(std::string("\xff\xfe" "a\0", 4), "auto"), "a");
}

TEST(TextEncoding, ConvertingWhereTheBytesStandGivesWhatACopyGives)
{
    const std::string cyrillic = "Привет, мир! ";
    struct Case {
        const char* name;
        std::string utf8;
        std::size_t from;
    };
    const Case cases[] = {
        {"Empty", "", 0},
        {"Ascii", "<p>plain text</p>", 0},
        {"Cyrillic", "<p>" + cyrillic + "</p>", 0},
        {"ByteOrderMarkSkipped", "\xEF\xBB\xBF<p>Ё</p>", 3},
        {"FromPastTheEnd", "abc", 7},
        // A reference longer than its character, before any shorter character made room.
        {"ReferenceAtTheStart", "☃ snow", 0},
        {"ReferenceAfterAscii", "snow ☃", 0},
        {"ReferenceWithRoomBehindIt", cyrillic + cyrillic + "☃ and 😀 end", 0},
        {"InvalidBytes", "a\xff\xfe b \xC3", 0},
        {"InvalidAfterRoom", cyrillic + "\xff\xff\xff\xff tail", 0},
        {"TruncatedSequenceAtEnd", cyrillic + "\xE2\x98", 0},
        {"CyrillicLeadAtEnd", cyrillic + "\xD0", 0},
        {"CyrillicLeadBeforeAscii",
         cyrillic + "\xD1"
                    "A\xD0\xD0\x90",
         0},
        {"CyrillicOutsideTheCodePage", cyrillic + cyrillic + "Ѐѐѣ ґ Ґ ё Ё", 0},
    };
    for (const Case& c : cases) {
        const std::string expected =
            utf8ToWindows1251(std::string_view(c.utf8).substr(std::min(c.from, c.utf8.size())));
        EXPECT_EQ(utf8ToWindows1251InPlace(std::string(c.utf8), c.from), expected) << c.name;
    }
}

TEST(TextEncoding, TakenSourcesBecomeWhatCopiedOnesBecome)
{
    const std::string sources[] = {
        "\xEF\xBB\xBF<p>Ё&</p>",
        "<meta charset=utf-8><p>Привет ☃</p>",
        "<meta charset=iso-8859-1><p>\x93x\x94</p>",
        "<meta charset=koi8-r>\xf0",
        "<p>\xcf\xf0\xe8</p>",
        std::string("\xff\xfe"
                    "a\0",
                    4),
    };
    for (const std::string& bytes : sources)
        for (const char* encoding : {"auto", "utf-8", "windows-1251", "koi8-r"})
            EXPECT_EQ(sourceToWindows1251Taken(std::string(bytes), encoding), sourceToWindows1251(bytes, encoding))
                << bytes << " as " << encoding;
}

}  // namespace
}  // namespace vellumar
