#pragma once
// UTF-8, one code point at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumar {

// Decodes the UTF-8 sequence at s[i] into `cp` and returns its length (at least 1). A broken,
// truncated, overlong or surrogate sequence gives U+FFFD and the length 1.
std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& cp);
void appendUtf8(std::string& out, char32_t cp);

}  // namespace vellumar
