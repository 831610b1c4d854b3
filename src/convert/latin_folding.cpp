#include "convert/latin_folding.h"

#include <array>

namespace vellumar {

namespace {

// The NFKD base letters of the Latin blocks, lower-cased, with the letters that have no base
// letter spelled as they usually are in ASCII.
// U+00C0..U+024F
constexpr std::array<std::string_view, 400> kLatin = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i", "d", "n", "o", "o", "o",
    "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss", "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e",
    "e", "e", "i", "i", "i", "i", "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th",
    "y", "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d", "d", "d", "e", "e",
    "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g", "g", "g", "g", "g", "h", "h", "h", "h", "i",
    "i", "i", "i", "i", "i", "i", "i", "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l",
    "l", "l", "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o", "o", "o", "oe",
    "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s", "s", "s", "t", "t", "t", "t", "t", "t",
    "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z",
    "z", "z", "s", "b", "b", "b", "b", "6", "6", "o", "c", "c", "d", "d", "d", "d", "d", "e", "e", "e", "f",
    "f", "g", "g", "hv", "i", "i", "k", "k", "l", "l", "m", "n", "n", "o", "o", "o", "oi", "oi", "p", "p",
    "r", "2", "2", "sh", "sh", "t", "t", "t", "t", "u", "u", "u", "v", "y", "y", "z", "z", "zh", "zh", "zh",
    "zh", "2", "5", "5", "ts", "w", "", "", "", "", "dz", "dz", "dz", "lj", "lj", "lj", "nj", "nj", "nj", "a",
    "a", "i", "i", "o", "o", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "e", "a", "a", "a", "a", "ae",
    "ae", "g", "g", "g", "g", "k", "k", "o", "o", "o", "o", "zh", "zh", "j", "dz", "dz", "dz", "g", "g", "hv",
    "w", "n", "n", "a", "a", "ae", "ae", "o", "o", "a", "a", "a", "a", "e", "e", "e", "e", "i", "i", "i", "i",
    "o", "o", "o", "o", "r", "r", "r", "r", "u", "u", "u", "u", "s", "s", "t", "t", "y", "y", "h", "h", "n",
    "d", "ou", "ou", "z", "z", "a", "a", "e", "e", "o", "o", "o", "o", "o", "o", "o", "o", "y", "y", "l", "n",
    "t", "j", "db", "qp", "a", "c", "c", "l", "t", "s", "z", "", "", "b", "u", "v", "e", "e", "j", "j", "q",
    "q", "r", "r", "y", "y",
};

// U+1E00..U+1EFF
constexpr std::array<std::string_view, 256> kLatinAdditional = {
    "a", "a", "b", "b", "b", "b", "b", "b", "c", "c", "d", "d", "d", "d", "d", "d", "d", "d", "d", "d", "e",
    "e", "e", "e", "e", "e", "e", "e", "e", "e", "f", "f", "g", "g", "h", "h", "h", "h", "h", "h", "h", "h",
    "h", "h", "i", "i", "i", "i", "k", "k", "k", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l", "l", "m",
    "m", "m", "m", "m", "m", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o", "o", "o", "o", "o",
    "p", "p", "p", "p", "r", "r", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s", "s", "s", "s",
    "s", "t", "t", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "v", "v",
    "v", "v", "w", "w", "w", "w", "w", "w", "w", "w", "w", "w", "x", "x", "x", "x", "y", "y", "z", "z", "z",
    "z", "z", "z", "h", "t", "w", "y", "a", "s", "s", "s", "ss", "d", "a", "a", "a", "a", "a", "a", "a", "a",
    "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "e", "e", "e", "e", "e",
    "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "i", "i", "i", "i", "o", "o", "o", "o", "o", "o",
    "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "u", "u", "u",
    "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "y", "y", "y", "y", "y", "y", "y", "y", "ll", "ll",
    "v", "v", "y", "y",
};

}  // namespace

std::string_view foldLatinLetter(char32_t codePoint)
{
    if (codePoint >= 0xC0 && codePoint < 0x250) return kLatin[codePoint - 0xC0];
    if (codePoint >= 0x1E00 && codePoint < 0x1F00) return kLatinAdditional[codePoint - 0x1E00];
    return {};
}

}  // namespace vellumar
