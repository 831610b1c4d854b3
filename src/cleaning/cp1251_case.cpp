#include "cleaning/cp1251_case.h"

#include <array>

namespace vellumar {

namespace {

constexpr std::array<unsigned char, 256> makeLowerTable()
{
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    // The upper-case letters outside the А-Я block and their lower-case partners.
    constexpr std::array<std::array<unsigned char, 2>, 14> pairs = {{
        {0x80, 0x90},  // Ђ ђ
        {0x81, 0x83},  // Ѓ ѓ
        {0x8A, 0x9A},  // Љ љ
        {0x8C, 0x9C},  // Њ њ
        {0x8D, 0x9D},  // Ќ ќ
        {0x8E, 0x9E},  // Ћ ћ
        {0x8F, 0x9F},  // Џ џ
        {0xA1, 0xA2},  // Ў ў
        {0xA3, 0xBC},  // Ј ј
        {0xA5, 0xB4},  // Ґ ґ
        {0xA8, 0xB8},  // Ё ё
        {0xAA, 0xBA},  // Є є
        {0xAF, 0xBF},  // Ї ї
        {0xB2, 0xB3},  // І і
    }};
    for (const auto& p : pairs) table[p[0]] = p[1];
    table[0xBD] = 0xBE;  // Ѕ ѕ
    return table;
}

constexpr std::array<unsigned char, 256> kLower = makeLowerTable();

}  // namespace

char lowerCp1251(char c)
{
    return static_cast<char>(kLower[static_cast<unsigned char>(c)]);
}

std::string lowerCp1251(std::string_view text)
{
    std::string out;
    lowerCp1251Into(text, out);
    return out;
}

void lowerCp1251Into(std::string_view text, std::string& out)
{
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(kLower[static_cast<unsigned char>(text[i])]);
}

}  // namespace vellumar
