#pragma once
// The editors show the program's 8-bit text as Unicode: bytes are decoded in the code page of
// the chosen character set and encoded back when the text is read. The codec also counts how
// many bytes a piece of Unicode text takes in the code page, which is how the editors turn
// their own positions into positions of the 8-bit text.
//
// Every code page round-trips every byte. In single-byte and double-byte code pages a byte
// that the code page leaves undefined (or that would not be written back the same way, as a
// duplicate code of a double-byte code page) is shown as a private-use character (U+F700 +
// byte) and read back as the same byte; UTF-8 keeps broken bytes as they are, and the editor
// shows them as such. A character that the code page lacks is written as a numeric character
// reference ("&#8230;").

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

class CodePageCodec {
public:
    // `codePage` is an iconv name ("WINDOWS-1251", "CP932", ...). Throws EncodingError when
    // iconv does not know it.
    explicit CodePageCodec(std::string_view codePage);

    const std::string& codePage() const { return m_codePage; }

    // 8-bit text as UTF-8, and UTF-8 as 8-bit text.
    std::string decode(std::string_view bytes) const;
    std::string encode(std::string_view utf8) const;

    // Bytes that the UTF-8 text takes once encoded; the same as encode(utf8).size().
    std::size_t encodedLength(std::string_view utf8) const;
    // The UTF-8 offset inside `utf8` at which `encodedOffset` bytes of its encoding are reached.
    // An offset inside one character's encoding moves to that character's start; past the end
    // gives utf8.size().
    std::size_t utf8Offset(std::string_view utf8, std::size_t encodedOffset) const;

private:
    enum class Kind { SingleByte, DoubleByte, Utf8 };

    // Bytes one code point takes in the code page (its reference's length when it lacks it).
    std::size_t widthOf(char32_t codePoint) const;
    void buildDoubleByteTables();
    std::string decodeDoubleByte(std::string_view bytes) const;

    // Appends the character `cp` in the code page, or its reference when the code page lacks it.
    void appendEncoded(std::string& out, char32_t cp) const;

    std::string m_codePage;
    Kind m_kind = Kind::SingleByte;
    // Whether every ASCII byte is the same character in the code page and back: runs of ASCII
    // text are then copied as they are.
    bool m_asciiKept = false;
    // Single-byte code pages: the code point of every byte, and the byte of every code point of
    // the Basic Multilingual Plane (-1 when the code page lacks it).
    std::vector<char32_t> m_toUnicode;
    std::vector<std::int16_t> m_fromUnicode;
    // The UTF-8 bytes of every byte's character (its length in the last element).
    std::vector<std::array<char, 4>> m_byteUtf8;
    // Double-byte code pages: the encoded width of every code point of the Basic Multilingual
    // Plane, 0 when the code page lacks it, and its bytes (a lead byte in the high half); the
    // code point of every single byte and of every byte pair, 0 when it has none that is
    // written back as the same bytes.
    std::vector<std::uint8_t> m_widths;
    std::vector<std::uint16_t> m_codes;
    std::vector<char32_t> m_byteToUnicode;
    std::vector<char32_t> m_pairToUnicode;
};

}  // namespace vellumar
