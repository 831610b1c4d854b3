#pragma once
// The font character sets the user can choose for the editors and the dialogs' text boxes,
// their numbers, and the code page each number stands for when the editors decode the program's
// 8-bit text.

#include <array>
#include <cstddef>
#include <string_view>

namespace vellumar {

// The names offered in the "Charset" list, in list order.
inline constexpr std::array<std::string_view, 18> kCharsetNames = {
    "ANSI_CHARSET",     "ARABIC_CHARSET",      "BALTIC_CHARSET",  "CHINESEBIG5_CHARSET",
    "DEFAULT_CHARSET",  "EASTEUROPE_CHARSET",  "GB2312_CHARSET",  "GREEK_CHARSET",
    "HANGEUL_CHARSET",  "HEBREW_CHARSET",      "JOHAB_CHARSET",   "MAC_CHARSET",
    "OEM_CHARSET",      "RUSSIAN_CHARSET",     "SHIFTJIS_CHARSET", "SYMBOL_CHARSET",
    "THAI_CHARSET",     "TURKISH_CHARSET",
};

// Index of "DEFAULT_CHARSET", selected at start and whenever a stored index is out of range.
inline constexpr int kDefaultCharsetIndex = 4;

// The font character-set number of a name, compared exactly (case-sensitive); any other name,
// the empty one included, gives 1, the default character set.
int charsetByName(std::string_view name);

// The list entry at `index`, or "DEFAULT_CHARSET" when the index is outside the list.
std::string_view charsetNameAt(int index);

// The iconv name of the code page that shows text in character set `charset`
// ("WINDOWS-1251" for the default and Russian sets). Unknown numbers give "WINDOWS-1251".
std::string_view codePageOfCharset(int charset);

}  // namespace vellumar
