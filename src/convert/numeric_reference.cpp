#include "convert/numeric_reference.h"

#include <array>

namespace vellumar {

namespace {

// windows-1252 at 0x80..0x9F; 0 where it has no character.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

std::size_t parseNumericReference(std::string_view text, std::uint32_t& value)
{
    if (text.size() < 4 || text[0] != '&' || text[1] != '#') return 0;
    std::size_t i = 2;
    const bool hex = text[i] == 'x' || text[i] == 'X';
    if (hex) ++i;
    const std::size_t digitsStart = i;
    std::uint64_t number = 0;
    while (i < text.size() && (hex ? isHexDigit(text[i]) : isDigit(text[i]))) {
        const char c = text[i];
        const unsigned d = isDigit(c) ? unsigned(c - '0') : unsigned((c | 0x20) - 'a' + 10);
        number = number * (hex ? 16 : 10) + d;
        if (number > 0x10FFFF) number = 0x110000;  // stays out of range, never overflows
        ++i;
    }
    if (i == digitsStart || i >= text.size() || text[i] != ';') return 0;
    value = static_cast<std::uint32_t>(number);
    return i + 1;
}

char32_t numericReferenceCharacter(std::uint32_t value)
{
    if (value >= 0x80 && value <= 0x9F && kWindows1252High[value - 0x80] != 0) return kWindows1252High[value - 0x80];
    return value;
}

}  // namespace vellumar
