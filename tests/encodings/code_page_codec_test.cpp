// The editors' code-page codec: every byte of a single-byte code page survives a round trip, and
// the byte counts it gives for Unicode text agree with the text it encodes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "encodings/code_page_codec.h"
#include "encodings/text_encoding.h"

namespace vellumar {
namespace {

TEST(CodePageCodec, EncodedLengthsAndOffsetsAgreeWithEncode)
{
    for (const char* codePage : {"WINDOWS-1251", "WINDOWS-1252", "CP866", "CP932", "CP936", "CP949", "CP950", "CP1361",
                                 "MACINTOSH", "UTF-8"}) {
        SCOPED_TRACE(codePage);
        const CodePageCodec codec(codePage);
        const std::string utf8 = "Привет, мир! Ærø 中文 €\r\n";
        EXPECT_EQ(codec.encodedLength(utf8), codec.encode(utf8).size());
        EXPECT_EQ(codec.decode(codec.encode("abc\r\n")), "abc\r\n");
        std::size_t encoded = 0;
        for (std::size_t i = 0; i < utf8.size();) {
            EXPECT_EQ(codec.utf8Offset(utf8, encoded), i);
            std::size_t next = i + 1;
            while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
            encoded += codec.encodedLength(std::string_view(utf8).substr(i, next - i));
            i = next;
        }
        EXPECT_EQ(codec.utf8Offset(utf8, encoded + 10), utf8.size());
    }
}

TEST(CodePageCodec, EveryByteOfASingleByteCodePageRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    for (const char* codePage : {"WINDOWS-1250", "WINDOWS-1251", "WINDOWS-1252", "WINDOWS-1253", "WINDOWS-1255",
                                 "WINDOWS-874", "CP866", "MACINTOSH", "ISO-8859-1"}) {
        const CodePageCodec codec(codePage);
        EXPECT_EQ(codec.encode(codec.decode(all)), all) << codePage;
    }
}

// Any bytes survive being shown in a double-byte code page or in UTF-8 and read back: bytes
// that are no character of the code page, lead bytes without their second byte, and codes
// that the code page would write back differently.
TEST(CodePageCodec, AnyBytesRoundTripThroughMultiByteCodePages)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string pairs;
    for (int lead = 0x80; lead < 256; lead += 3)
        for (int trail = 0; trail < 256; trail += 5) pairs.append({static_cast<char>(lead), static_cast<char>(trail)});
    const std::string samples[] = {
        all,
        pairs,
        "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\r\n",  // a Russian line in windows-1251
        "\xED\x40\xFA\x5C",                             // duplicate codes of one character in CP932
        "tail \x81",                                    // a lead byte at the end
        "\xEF\xA3\xBF \xEF\x9C\x80",                    // U+F8FF and U+F700 in UTF-8
    };
    for (const char* codePage : {"CP932", "CP936", "CP949", "CP950", "CP1361", "UTF-8"}) {
        SCOPED_TRACE(codePage);
        const CodePageCodec codec(codePage);
        for (const std::string& bytes : samples) {
            const std::string shown = codec.decode(bytes);
            EXPECT_EQ(codec.encode(shown), bytes);
            EXPECT_EQ(codec.encodedLength(shown), bytes.size());
        }
    }
    const CodePageCodec japanese("CP932");
    EXPECT_EQ(japanese.decode("\x93\xFA\x96\x7B"), "日本");
    EXPECT_EQ(japanese.encode("日本 Ж€"), "\x93\xFA\x96\x7B \x84\x47&#8364;");
}

TEST(CodePageCodec, DecodesLikeTheCodePageAndReferencesWhatItLacks)
{
    const CodePageCodec cyrillic("WINDOWS-1251");
    EXPECT_EQ(cyrillic.decode("\xCF\xF0\xE8"), "При");
    EXPECT_EQ(cyrillic.encode("При 中"), "\xCF\xF0\xE8 &#20013;");
    EXPECT_EQ(cyrillic.encodedLength("При 中"), 12U);
    EXPECT_EQ(cyrillic.utf8Offset("При 中", 6), 7U);   // inside the reference: at its character
    EXPECT_THROW(CodePageCodec("NO-SUCH-CODE-PAGE"), EncodingError);
}

// ASCII runs are taken eight bytes at a time: a character of another kind at every place around
// those steps (first, last, just inside and outside one) must read back as it was, and every
// offset must be counted as one character at a time counts it.
TEST(CodePageCodec, AsciiRunsOfAnyLengthAroundOtherCharactersRoundTrip)
{
    struct Piece {
        const char* name;
        std::string bytes;  // in the code page
    };
    const Piece pieces[] = {
        {"Cyrillic in windows-1251", "\xC6"},              // Ж
        {"a byte windows-1251 leaves undefined", "\x98"},  // shown as U+F798
        {"CR LF", "\r\n"},
        {"a NUL byte", std::string(1, '\0')},
        {"DEL, the last ASCII byte", "\x7F"},
    };
    const CodePageCodec codec("WINDOWS-1251");
    for (const Piece& piece : pieces) {
        SCOPED_TRACE(piece.name);
        for (std::size_t before = 0; before <= 17; ++before) {
            for (std::size_t after : {0, 1, 7, 8, 9, 16}) {
                const std::string bytes = std::string(before, 'a') + piece.bytes + std::string(after, 'z');
                const std::string shown = codec.decode(bytes);
                EXPECT_EQ(codec.encode(shown), bytes) << before << " " << after;
                EXPECT_EQ(codec.encodedLength(shown), bytes.size()) << before << " " << after;
                // Every byte is one character of a single-byte code page: each offset of the
                // bytes is where the decoded prefix ends.
                for (std::size_t k = 0; k <= bytes.size(); ++k)
                    ASSERT_EQ(codec.utf8Offset(shown, k), codec.decode(bytes.substr(0, k)).size())
                        << before << " " << k;
            }
        }
    }
}

// Unicode text after and between ASCII runs: characters of the code page, characters it lacks
// (references), and broken UTF-8, each of whose bytes becomes a reference to U+FFFD.
TEST(CodePageCodec, EncodesUnicodeAndBrokenUtf8AroundAsciiRuns)
{
    struct Case {
        const char* codePage;
        std::string utf8;
        std::string encoded;
    };
    const Case cases[] = {
        {"WINDOWS-1251", "abcdefgh\xD0\x96ijklmnop", "abcdefgh\xC6ijklmnop"},
        {"WINDOWS-1251", "abcdefg\xD0", "abcdefg&#65533;"},                  // a lead byte at the end
        {"WINDOWS-1251", "abcdefgh\xC0\x80x", "abcdefgh&#65533;&#65533;x"},  // an overlong NUL
        {"WINDOWS-1251", "abcdefgh\x80", "abcdefgh&#65533;"},                // a lone continuation byte
        {"WINDOWS-1251", "12345678\xE2\x80\xA6", "12345678\x85"},            // … is in windows-1251
        {"WINDOWS-1252", "12345678\xC3\xA9\xE4\xB8\xAD", "12345678\xE9&#20013;"},
        {"CP932",
         "abcdefgh\xE6\x97\xA5"
         "abcdefgh",
         "abcdefgh\x93\xFA"
         "abcdefgh"},
        {"UTF-8", "abcdefgh\xFF", "abcdefgh\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.codePage) + " " + c.encoded);
        const CodePageCodec codec(c.codePage);
        EXPECT_EQ(codec.encode(c.utf8), c.encoded);
        EXPECT_EQ(codec.encodedLength(c.utf8), c.encoded.size());
    }
}

// Code pages in which an ASCII byte is another character are read byte by byte: EBCDIC, and
// Shift_JIS with its yen sign and overline in place of the backslash and the tilde.
TEST(CodePageCodec, CodePagesThatChangeAsciiAreNotCopied)
{
    struct Case {
        const char* codePage;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"IBM037", "\x81\x82\x83\x84\x85\x86\x87\x88\x89", "abcdefghi"},
        {"SHIFT_JIS", "abcdefgh\\~", "abcdefgh\xC2\xA5\xE2\x80\xBE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        const CodePageCodec codec(c.codePage);
        EXPECT_EQ(codec.decode(c.bytes), c.utf8);
        EXPECT_EQ(codec.encode(c.utf8), c.bytes);
        EXPECT_EQ(codec.encodedLength(c.utf8), c.bytes.size());
        EXPECT_EQ(codec.utf8Offset(c.utf8, c.bytes.size()), c.utf8.size());
    }
}

}  // namespace
}  // namespace vellumar
