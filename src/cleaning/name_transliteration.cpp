#include "cleaning/name_transliteration.h"

#include <array>

#include "cleaning/cp1251_case.h"

namespace vellumar {

namespace {

// Latin spelling of the lower-case letters а (224) to я (255).
constexpr std::array<std::string_view, 32> kRussianLetters = {
    "a", "b", "v", "g",  "d",  "e",  "zh", "z", "i", "j", "k",  "l", "m", "n",  "o",  "p",
    "r", "s", "t", "u",  "f",  "h",  "c",  "ch", "sh", "sh", "", "y", "", "e", "ju", "ja",
};

constexpr unsigned char kSmallYo = 0xB8;  // ё

}  // namespace

std::string transliterateName(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (const char raw : text) {
        const auto c = static_cast<unsigned char>(lowerCp1251(raw));
        if (c >= 0xE0)
            out.append(kRussianLetters[c - 0xE0]);
        else if (c == kSmallYo)
            out.push_back('e');
        else
            out.push_back(static_cast<char>(c));
    }
    return out;
}

std::string spacesToUnderscores(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == ' ') c = '_';
    return out;
}

}  // namespace vellumar
