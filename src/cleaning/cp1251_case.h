#pragma once
// Lower-casing of windows-1251 text, the same on every machine whatever its locale: the Latin
// letters A-Z and every upper-case Cyrillic letter of the code page ("А" to "Я", "Ё", and the
// Ukrainian, Belarusian and Serbian letters) become their lower-case forms; all other bytes stay.

#include <string>
#include <string_view>

namespace vellumar {

char lowerCp1251(char c);
std::string lowerCp1251(std::string_view text);
// Lower-cases `text` into `out` (replacing its content); reuses out's storage.
void lowerCp1251Into(std::string_view text, std::string& out);

}  // namespace vellumar
