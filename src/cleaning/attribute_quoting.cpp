#include "cleaning/attribute_quoting.h"

namespace vellumar {

std::string QuoteAttributeValue(std::string_view lowerName, std::string_view value)
{
    const char quote = lowerName == "style" ? '\'' : '"';
    std::string out;
    out.reserve(value.size() + 2);
    out.push_back(quote);
    out.append(value);
    out.push_back(quote);
    return out;
}

}  // namespace vellumar
