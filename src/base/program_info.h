#pragma once
// The program's name, version, author and web address, as the book header and the about box
// show them.

#include <string_view>

#include "program_version.h"

namespace vellumar {

inline constexpr std::string_view kProgramName = "Vellumar";
inline constexpr std::string_view kProgramVersion = VELLUMAR_VERSION_LABEL;
inline constexpr std::string_view kProgramAuthor = "Ilse Varga";
inline constexpr std::string_view kProgramWebHost = "vellumar.example.org";
inline constexpr std::string_view kProgramWebAddress = "http://vellumar.example.org";

}  // namespace vellumar
