#pragma once
// Standard base64 (RFC 4648, section 4): one unbroken line, "=" padding, no line breaks.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumar {

// Four characters for `realCount` (0 to 3) bytes of `bytes`; bytes past realCount are not
// read and count as zero, and the last 3 - realCount characters become "=".
std::array<char, 4> encodeBase64Group(const std::uint8_t* bytes, int realCount);

// Base64 of a whole byte buffer.
std::string encodeBase64(std::string_view bytes);
// Appends the base64 of `bytes` to `out` (one allocation).
void appendBase64(std::string_view bytes, std::string& out);

// Base64 of a file's whole content; an empty text when the file does not exist or cannot be
// read, or holds more than a picture's limit (callers treat an empty text as "no picture").
std::string encodeFileBase64(const std::filesystem::path& path);

// Decodes base64 text, skipping ASCII white space; padding is optional at the very end.
// Returns nothing for any other character, misplaced "=", or a dangling single character.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace vellumar
