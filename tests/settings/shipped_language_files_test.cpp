// The language files that come with the program: the Russian one translates every text of the
// English one, keeps an accelerator wherever the English text has one, and both read as UTF-8.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "encodings/utf8.h"
#include "settings/ini_file.h"
#include "settings/language_files.h"

namespace vellumar {
namespace {

const std::filesystem::path kDataFolder = VELLUMAR_DATA_DIR;

// The letter after a single "&" (a doubled "&&" is a plain ampersand), or 0 without one.
char32_t acceleratorLetter(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        char32_t letter = 0;
        decodeUtf8(caption, i + 1, letter);
        return letter;
    }
    return 0;
}

bool isLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'\u0410' && c <= U'\u044F') ||
           c == U'\u0401' || c == U'\u0451';
}

TEST(ShippedLanguageFiles, RussianHasEveryEnglishKey)
{
    const IniFile english(kDataFolder / kEnglishLanguageFile);
    const IniFile russian(kDataFolder / kRussianLanguageFile);
    EXPECT_EQ(english.encoding(), IniEncoding::Utf8);
    EXPECT_EQ(russian.encoding(), IniEncoding::Utf8);
    ASSERT_FALSE(english.sections().empty());
    for (const std::string& section : english.sections()) {
        ASSERT_FALSE(english.keys(section).empty()) << section;
        for (const std::string& key : english.keys(section)) {
            const std::string text = english.readString(section, key, "");
            const auto translation = russian.value(section, key);
            ASSERT_TRUE(translation) << section << '/' << key << " is missing from " << kRussianLanguageFile;
            EXPECT_EQ(text.empty(), translation->empty()) << section << '/' << key;
            const bool hasAccelerator = acceleratorLetter(text) != 0;
            EXPECT_EQ(hasAccelerator, acceleratorLetter(*translation) != 0) << section << '/' << key << ": " << *translation;
            if (hasAccelerator) {
                EXPECT_TRUE(isLetter(acceleratorLetter(*translation))) << section << '/' << key;
            }
        }
    }
}

TEST(ShippedLanguageFiles, RussianHasNoKeyTheEnglishLacks)
{
    const IniFile english(kDataFolder / kEnglishLanguageFile);
    const IniFile russian(kDataFolder / kRussianLanguageFile);
    for (const std::string& section : russian.sections())
        for (const std::string& key : russian.keys(section))
            EXPECT_TRUE(english.value(section, key)) << section << '/' << key << " is not a text of the program";
}

}  // namespace
}  // namespace vellumar
