#pragma once
// ASCII letter case for tag names, attribute keys, encodings and file extensions: only the
// letters A-Z and a-z fold; every other byte (windows-1251 letters too) matches only itself.

#include <string>
#include <string_view>

namespace vellumar {

// The byte with an ASCII small letter made capital; every other byte unchanged.
constexpr unsigned char foldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// True when a and b are equal ignoring ASCII letter case only.
constexpr bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(static_cast<unsigned char>(a[i])) != foldAscii(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// ASCII lower-casing; every other byte is kept.
std::string asciiLower(std::string_view s);

}  // namespace vellumar
