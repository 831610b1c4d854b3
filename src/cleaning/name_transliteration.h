#pragma once
// File-name forms of names the user typed: Russian letters written in Latin letters, and
// spaces written as underscores. Texts are windows-1251 bytes.

#include <string>
#include <string_view>

namespace vellumar {

// Lower-cases the text (windows-1251 rules, whatever the machine's locale) and writes each
// Russian letter in Latin letters: "ж" as "zh", "щ" as "sh", "ю" as "ju", "я" as "ja", the
// hard and soft signs as nothing. Every other byte stays as it is.
std::string transliterateName(std::string_view text);

// Every space (32) becomes "_"; nothing else changes.
std::string spacesToUnderscores(std::string_view text);

}  // namespace vellumar
