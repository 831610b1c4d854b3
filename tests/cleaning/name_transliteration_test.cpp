#include "cleaning/name_transliteration.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "cleaning/cp1251_case.h"

namespace vellumar {
namespace {

// The windows-1251 alphabet а..я with ё, lower and upper case.
std::string lowerAlphabet()
{
    std::string s;
    for (int c = 0xE0; c <= 0xFF; ++c) s.push_back(static_cast<char>(c));
    return s + "\xB8";
}

std::string upperAlphabet()
{
    std::string s;
    for (int c = 0xC0; c <= 0xDF; ++c) s.push_back(static_cast<char>(c));
    return s + "\xA8";
}

TEST(TransliterateName, WritesEveryRussianLetter)
{
    EXPECT_EQ(transliterateName(lowerAlphabet()), "abvgdezhzijklmnoprstufhcchshshyejujae");
    EXPECT_EQ(transliterateName(upperAlphabet()), "abvgdezhzijklmnoprstufhcchshshyejujae");
}

TEST(TransliterateName, LowerCasesLatinAndKeepsOtherBytes)
{
    EXPECT_EQ(transliterateName(""), "");
    EXPECT_EQ(transliterateName("Vol. 2: A-Z!"), "vol. 2: a-z!");
    EXPECT_EQ(transliterateName("\xA0\xAB\xBB\x96\x01/"), "\xA0\xAB\xBB\x96\x01/");
}

TEST(TransliterateName, HardAndSoftSignsLeaveNothing)
{
    // объявление, Ночь
    EXPECT_EQ(transliterateName("\xEE\xE1\xFA\xFF\xE2\xEB\xE5\xED\xE8\xE5"), "objavlenie");
    EXPECT_EQ(transliterateName("\xCD\xEE\xF7\xFC"), "noch");
}

TEST(TransliterateName, DoesNotDependOnTheLocale)
{
    const std::string before = transliterateName("\xC2\xEE\xE9\xED\xE0 MIR");
    std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(transliterateName("\xC2\xEE\xE9\xED\xE0 MIR"), before);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(before, "vojna mir");
}

TEST(LowerCp1251, LowersEveryCyrillicCapital)
{
    // Ё, Ђ, Ґ, Є, І, Ї, Ј, Ѕ, Ў and the А..Я block.
    EXPECT_EQ(lowerCp1251("\xA8\x80\xA5\xAA\xB2\xAF\xA3\xBD\xA1\xC0\xDF"), "\xB8\x90\xB4\xBA\xB3\xBF\xBC\xBE\xA2\xE0\xFF");
    EXPECT_EQ(lowerCp1251("\xB8\xE0\xFF\xD7\xF7"), "\xB8\xE0\xFF\xF7\xF7");
}

}  // namespace
}  // namespace vellumar
