#include "encodings/single_byte_code_page.h"

#include "encodings/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumar {
namespace {

// Random bytes, most of them above ASCII, and every byte next to every other kind.
std::string mixedBytes()
{
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte));
    std::uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>((seed >> 16) % 3 == 0 ? 'a' + (seed >> 20) % 26 : 0x80 + (seed >> 18) % 128));
    }
    return bytes;
}

// A source in any code page reads the same through the table as through iconv character by
// character; code pages that are not one byte a character, or whose converters compose a
// letter with the marks after it, get no table and go through iconv.
TEST(SingleByteCodePage, ReadsAsIconvDoes)
{
    struct Case {
        const char* name;
        bool table;
    };
    const Case cases[] = {
        {"windows-1252", true}, {"windows-1250", true}, {"windows-1253", true}, {"windows-1257", true},
        {"iso-8859-2", true},   {"iso-8859-7", true},   {"iso-8859-15", true},  {"koi8-r", true},
        {"koi8-u", true},       {"cp866", true},        {"cp437", true},        {"macintosh", true},
        {"ibm037", true},       {"windows-1255", false}, {"windows-1258", false}, {"tcvn", false},
        {"shift_jis", false},   {"utf-16", false},      {"iso-2022-jp", false}, {"no-such-code-page", false},
    };
    const std::string bytes = mixedBytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto table = singleByteCodePageOf(c.name);
        EXPECT_EQ(table != nullptr, c.table);
        if (table) {
            EXPECT_EQ(table->toWindows1251(bytes), utf8ToWindows1251(codePageToUtf8(bytes, c.name)));
        }
    }
}

TEST(SingleByteCodePage, CharactersWindows1251LacksBecomeReferences)
{
    const auto table = singleByteCodePageOf("windows-1252");
    ASSERT_NE(table, nullptr);
    // The euro and the en dash are in windows-1251 too; é is not, and 0x81 is no character.
    EXPECT_EQ(table->toWindows1251("\x80 \x96 caf\xe9 \x81"), "\x88 \x96 caf&#233; &#65533;");
}

}  // namespace
}  // namespace vellumar
