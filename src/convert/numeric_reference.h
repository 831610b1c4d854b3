#pragma once
// Numeric character references ("&#150;", "&#x2014;", "&#X41;") read as browsers read them.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vellumar {

// A numeric reference at text[0] ("&#" and decimal digits, or "&#x" / "&#X" and hexadecimal
// digits, then ";"): its length, or 0 when there is none. `value` gets the number; one past
// U+10FFFF comes out as 0x110000.
std::size_t parseNumericReference(std::string_view text, std::uint32_t& value);

// The character a reference's number stands for: 128..159 are the characters windows-1252 has
// at those bytes, as old pages mean them ("&#150;" the en dash, "&#133;" the ellipsis); the
// five numbers windows-1252 leaves empty, and every other number, stand for themselves.
char32_t numericReferenceCharacter(std::uint32_t value);

}  // namespace vellumar
