#include "settings/charsets.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace vellumar {
namespace {

struct NamedCharset {
    const char* name;
    int number;
    const char* codePage;
};

constexpr NamedCharset kKnown[] = {
    {"ANSI_CHARSET", 0, "WINDOWS-1252"},       {"DEFAULT_CHARSET", 1, "WINDOWS-1251"},
    {"SYMBOL_CHARSET", 2, "ISO-8859-1"},       {"MAC_CHARSET", 77, "MACINTOSH"},
    {"SHIFTJIS_CHARSET", 128, "CP932"},        {"HANGEUL_CHARSET", 129, "CP949"},
    {"JOHAB_CHARSET", 130, "CP1361"},          {"GB2312_CHARSET", 134, "CP936"},
    {"CHINESEBIG5_CHARSET", 136, "CP950"},     {"GREEK_CHARSET", 161, "WINDOWS-1253"},
    {"TURKISH_CHARSET", 162, "WINDOWS-1254"},  {"VIETNAMESE_CHARSET", 163, "WINDOWS-1258"},
    {"HEBREW_CHARSET", 177, "WINDOWS-1255"},   {"ARABIC_CHARSET", 178, "WINDOWS-1256"},
    {"BALTIC_CHARSET", 186, "WINDOWS-1257"},   {"RUSSIAN_CHARSET", 204, "WINDOWS-1251"},
    {"THAI_CHARSET", 222, "WINDOWS-874"},      {"EASTEUROPE_CHARSET", 238, "WINDOWS-1250"},
    {"OEM_CHARSET", 255, "CP866"},
};

class KnownCharset : public ::testing::TestWithParam<NamedCharset> {};

TEST_P(KnownCharset, NameGivesNumberAndNumberGivesCodePage)
{
    const NamedCharset& c = GetParam();
    EXPECT_EQ(charsetByName(c.name), c.number);
    EXPECT_EQ(codePageOfCharset(c.number), c.codePage);
}

TEST_P(KnownCharset, CodePageIsKnownToIconv)
{
    const NamedCharset& c = GetParam();
    iconv_t cd = iconv_open("UTF-8", c.codePage);
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << c.codePage;
    iconv_close(cd);
}

INSTANTIATE_TEST_SUITE_P(Charsets, KnownCharset, ::testing::ValuesIn(kKnown));

TEST(CharsetByName, OtherNamesGiveTheDefaultSet)
{
    for (const char* name : {"", "russian_charset", "Russian_Charset", "RUSSIAN_CHARSET ", " ANSI_CHARSET",
                             "UTF8_CHARSET", "RUSSIAN"})
        EXPECT_EQ(charsetByName(name), 1) << '"' << name << '"';
}

TEST(CharsetNames, ListOrderAndDefaultEntry)
{
    ASSERT_EQ(kCharsetNames.size(), 18u);
    EXPECT_EQ(kCharsetNames.front(), "ANSI_CHARSET");
    EXPECT_EQ(kCharsetNames[13], "RUSSIAN_CHARSET");
    EXPECT_EQ(kCharsetNames.back(), "TURKISH_CHARSET");
    EXPECT_EQ(kCharsetNames[kDefaultCharsetIndex], "DEFAULT_CHARSET");
    for (std::size_t i = 1; i < kCharsetNames.size(); ++i)
        EXPECT_LT(kCharsetNames[i - 1], kCharsetNames[i]) << "the list is alphabetical";
    // Every offered name is one the mapping knows; only DEFAULT_CHARSET itself gives 1.
    for (std::string_view name : kCharsetNames)
        EXPECT_TRUE(charsetByName(name) != 1 || name == "DEFAULT_CHARSET") << name;
}

TEST(CharsetNames, IndexOutsideTheListFallsBackToDefault)
{
    EXPECT_EQ(charsetNameAt(13), "RUSSIAN_CHARSET");
    EXPECT_EQ(charsetNameAt(0), "ANSI_CHARSET");
    EXPECT_EQ(charsetNameAt(17), "TURKISH_CHARSET");
    for (int index : {-1, 18, 1000, -1000})
        EXPECT_EQ(charsetNameAt(index), "DEFAULT_CHARSET") << index;
}

TEST(CodePageOfCharset, UnknownNumberUsesWindows1251)
{
    for (int number : {-1, 3, 100, 256})
        EXPECT_EQ(codePageOfCharset(number), "WINDOWS-1251") << number;
}

}  // namespace
}  // namespace vellumar
