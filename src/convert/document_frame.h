#pragma once
// The frame around every converted book: the description header and the closing.

#include <string>
#include <string_view>

namespace vellumar {

// The description header, each line ended by CR LF. The three values are escaped for XML.
std::string buildHeader(std::string_view title, std::string_view firstName, std::string_view lastName);
// CR LF and "</FictionBook>", with no line end after it.
std::string closeDocument();

}  // namespace vellumar
