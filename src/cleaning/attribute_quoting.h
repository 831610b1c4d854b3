#pragma once

#include <string>
#include <string_view>

namespace vellumar {

// The value in quotes: single quotes for the attribute named "style" (lower-case name),
// double quotes for every other. The value is not escaped.
std::string QuoteAttributeValue(std::string_view lowerName, std::string_view value);

}  // namespace vellumar
