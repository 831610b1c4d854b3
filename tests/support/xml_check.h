#pragma once

#include <string>
#include <string_view>

namespace vellumar::testing {

// Parses the bytes with libxml2. Returns "" when they are a well-formed XML document,
// else libxml2's first complaint.
std::string xmlProblem(std::string_view bytes);

}  // namespace vellumar::testing
