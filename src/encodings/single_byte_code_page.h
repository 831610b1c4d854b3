#pragma once
// Single-byte code pages (windows-1252, ISO 8859, KOI8-R, cp866, ...) read through a table of
// their 256 bytes that iconv fills once. Pages that word processors save in windows-1252 are
// turned into windows-1251 this way at a few instructions a byte instead of iconv's forty.

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace vellumar {

// What each byte of a code page becomes in windows-1251: its byte, or a character reference
// ("&#8364;") for a character windows-1251 lacks; a byte the code page leaves undefined gives
// U+FFFD's reference, as it does when read through iconv.
class SingleByteCodePage {
public:
    // What each byte becomes, in windows-1251.
    explicit SingleByteCodePage(const std::array<std::string, 256>& texts);

    std::string toWindows1251(std::string_view bytes) const;

private:
    std::array<char, 256> m_byte{};
    std::array<std::string, 256> m_reference{};  // where not empty, in place of m_byte
};

// The table of the code page iconv knows by iconvName, made on first use and kept for the
// process; nothing when iconv does not know it or does not read it one byte at a time (multi-
// byte and stateful code pages, and those whose converters compose a letter with the marks
// that follow it, as cp1255, cp1258 and TCVN do).
std::shared_ptr<const SingleByteCodePage> singleByteCodePageOf(const std::string& iconvName);

}  // namespace vellumar
