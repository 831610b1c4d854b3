#pragma once
// The form of a name that XML accepts as an element's ID.

#include <string>
#include <string_view>

namespace vellumar {

// `name` as an XML ID: every byte but ASCII letters, digits, ".", "-" and "_" becomes "_", and
// "_" goes before a first character that cannot start an ID (a digit, ".", "-") or stands for
// an empty name.
std::string xmlIdForm(std::string_view name);

}  // namespace vellumar
