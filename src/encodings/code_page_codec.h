#pragma once
// The editors show the program's 8-bit text as Unicode: bytes are decoded in the code page of
// the chosen character set and encoded back when the text is read. The codec also counts how
// many bytes a piece of Unicode text takes in the code page, which is how the editors turn
// their own positions into positions of the 8-bit text.
//
// Single-byte code pages round-trip every byte: a byte that the code page leaves undefined is
// shown as a private-use character and read back as the same byte. A character that the code
// page lacks is written as a numeric character reference ("&#8230;").

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
    // Bytes one code point takes in the code page (its reference's length when it lacks it).
    std::size_t widthOf(char32_t codePoint) const;
    void measureMultiByteWidths();

    std::string m_codePage;
    bool m_singleByte = true;
    // Single-byte code pages: the code point of every byte, and the byte of every code point of
    // the Basic Multilingual Plane (-1 when the code page lacks it).
    std::vector<char32_t> m_toUnicode;
    std::vector<std::int16_t> m_fromUnicode;
    // Multi-byte code pages: the encoded width of every code point of the Basic Multilingual Plane,
    // 0 when the code page lacks it.
    std::vector<std::uint8_t> m_widths;
};

}  // namespace vellumar
