#pragma once
// The pictures a page shows: the src of every img tag, in the page's order.

#include <string>
#include <vector>

#include "html/tokenizer.h"

namespace vellumar {

// The srcs of the img tags among the parser's items, in order; a tag with two srcs gives both.
std::vector<std::string> ImageSources(const THTMLParser& parser);

}  // namespace vellumar
