#include "cleaning/attribute_quoting.h"

namespace vellumar {

std::string QuoteAttributeValue(std::string_view lowerName, std::string_view value)
{
    char quote = lowerName == "style" ? '\'' : '"';
    const char other = quote == '"' ? '\'' : '"';
    const bool holdsQuote = value.find(quote) != std::string_view::npos;
    if (holdsQuote && value.find(other) == std::string_view::npos) quote = other;
    std::string out;
    out.reserve(value.size() + 2);
    out.push_back(quote);
    if (holdsQuote && quote != other) {
        const std::string_view reference = quote == '"' ? "&quot;" : "&#39;";
        for (char c : value) {
            if (c == quote)
                out.append(reference);
            else
                out.push_back(c);
        }
    } else {
        out.append(value);
    }
    out.push_back(quote);
    return out;
}

}  // namespace vellumar
