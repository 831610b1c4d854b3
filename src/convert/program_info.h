#pragma once
// The program's name, version and web address, as the book header and the about box show them.

#include <string_view>

namespace vellumar {

inline constexpr std::string_view kProgramName = "Vellumar";
inline constexpr std::string_view kProgramVersion = "1.0.14 beta";
inline constexpr std::string_view kProgramWebAddress = "https://vellumar.org";

}  // namespace vellumar
