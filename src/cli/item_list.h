#pragma once
// The tokenizer's items as JSON lines, strings decoded from windows-1251 to UTF-8.

#include <string>

#include "html/tokenizer.h"

namespace vellumar::cli {

// One JSON object per item, each line ended by LF.
std::string ItemsAsJsonLines(const THTMLParser& parser);

}  // namespace vellumar::cli
