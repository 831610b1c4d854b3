#pragma once
// Latin letters that windows-1251 lacks, written with plain ASCII letters for file names.

#include <string_view>

namespace vellumar {

// The lower-case ASCII letters a Latin letter is written with in a file name: its base letter
// ("é" and "É" give "e"), or the usual spelling of a letter without one ("ß" "ss", "æ" "ae",
// "ø" "o", "þ" "th"). Empty for every other character.
std::string_view foldLatinLetter(char32_t codePoint);

}  // namespace vellumar
