#include "cleaning/attribute_quoting.h"

#include "base/ascii_case.h"
#include "html/tokenizer.h"

namespace vellumar {

std::string quoteAttributeValue(std::string_view lowerName, std::string_view value)
{
    char quote = lowerName == "style" ? '\'' : '"';
    const char other = quote == '"' ? '\'' : '"';
    bool escapeQuote = false;
    if (value.find(quote) != std::string_view::npos) {
        if (value.find(other) == std::string_view::npos)
            quote = other;
        else
            escapeQuote = true;
    }
    const bool finalBackslash = !value.empty() && value.back() == '\\';
    if (finalBackslash) value.remove_suffix(1);

    std::string out;
    out.reserve(value.size() + 8);
    out.push_back(quote);
    if (!escapeQuote) {
        out.append(value);
    } else {
        const std::string_view reference = quote == '"' ? "&quot;" : "&#39;";
        for (const char c : value) {
            if (c == quote)
                out.append(reference);
            else
                out.push_back(c);
        }
    }
    if (finalBackslash) out.append("&#92;");
    out.push_back(quote);
    return out;
}

void appendStartTag(std::string& out, std::string_view name, const HtmlItem& tag)
{
    out += '<';
    out += name;
    for (std::int32_t k = 0; k < tag.paramCount(); ++k) {
        const HtmlParam param = tag.param(k);
        out += ' ';
        out += param.key();
        out += '=';
        out += quoteAttributeValue(asciiLower(param.key()), param.value());
    }
    out += '>';
}

}  // namespace vellumar
