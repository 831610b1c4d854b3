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
    for (const char* codePage : {"WINDOWS-1251", "WINDOWS-1252", "CP866", "CP932", "MACINTOSH"}) {
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

TEST(CodePageCodec, DecodesLikeTheCodePageAndReferencesWhatItLacks)
{
    const CodePageCodec cyrillic("WINDOWS-1251");
    EXPECT_EQ(cyrillic.decode("\xCF\xF0\xE8"), "При");
    EXPECT_EQ(cyrillic.encode("При 中"), "\xCF\xF0\xE8 &#20013;");
    EXPECT_EQ(cyrillic.encodedLength("При 中"), 12U);
    EXPECT_EQ(cyrillic.utf8Offset("При 中", 6), 7U);   // inside the reference: at its character
    EXPECT_THROW(CodePageCodec("NO-SUCH-CODE-PAGE"), EncodingError);
}

}  // namespace
}  // namespace vellumar
