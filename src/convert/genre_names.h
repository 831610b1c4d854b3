#pragma once
// The genres a book's title information may name.

#include <string_view>

namespace vellumar {

// The genre a book gets when none is chosen: the schema's own word for "not classified".
inline constexpr std::string_view kDefaultGenre = "unrecognised";

// True when `name` is one of the genre names of the FB2 schema (compared exactly).
bool isKnownGenre(std::string_view name);

}  // namespace vellumar
