#include "convert/xml_text.h"

#include <cstdint>

#include "base/byte_scan.h"
#include "convert/numeric_reference.h"
#include "encodings/text_encoding.h"
#include "html/html_entities.h"

namespace vellumar {

namespace {

bool isForbiddenByte(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x98; }

bool isXmlChar(std::uint32_t cp)
{
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
           (cp >= 0x10000 && cp <= 0x10FFFF);
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A named reference "&name;" at text[0]: its length and name, or 0.
std::size_t namedReference(std::string_view text, std::string_view& name)
{
    std::size_t i = 1;
    if (i >= text.size() || !isAsciiLetter(text[i])) return 0;
    while (i < text.size() && i <= 40 && (isAsciiLetter(text[i]) || isAsciiDigit(text[i]))) ++i;
    if (i >= text.size() || text[i] != ';') return 0;
    name = text.substr(1, i - 1);
    return i + 1;
}

void appendCodePoint(std::string& out, char32_t cp, bool attribute)
{
    if (!isXmlChar(cp)) return;
    if (cp == '&') {
        out += "&amp;";
    } else if (cp == '<') {
        out += "&lt;";
    } else if (cp == '>') {
        out += "&gt;";
    } else if (cp == '"' && attribute) {
        out += "&quot;";
    } else if (const auto byte = unicodeToWindows1251(cp); byte && *byte != 0x98) {
        out.push_back(static_cast<char>(*byte));
    } else {
        out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
    }
}

// A numeric reference as the book writes it. One to a character that windows-1252 has at
// 128..159 becomes that character; "&#X" is written "&#x", the only form XML reads; others to
// characters XML allows stay as written, and those to characters it forbids are dropped.
void appendNumericReference(std::string& out, std::string_view reference, std::uint32_t value, bool attribute)
{
    const char32_t cp = numericReferenceCharacter(value);
    if (cp != value) {
        appendCodePoint(out, cp, attribute);
    } else if (!isXmlChar(cp)) {
        return;
    } else if (reference[2] == 'X') {
        out += "&#x";
        out.append(reference.substr(3));
    } else {
        out.append(reference);
    }
}

// The body's own rules for three references: a no-break space becomes a plain space, a quote
// a quote and a non-breaking hyphen a hyphen. The character and the reference's length, or 0.
char bodyRuleCharacter(std::string_view rest, std::size_t& length)
{
    length = 6;
    if (rest.starts_with("&nbsp;")) return ' ';
    if (rest.starts_with("&quot;")) return '"';
    length = 7;
    if (rest.starts_with("&#8209;")) return '-';
    return 0;
}

struct SafeRules {
    bool attribute = false;
    // Body text: the three references of bodyRuleCharacter give their characters.
    bool bodyRules = false;
    // Line breaks written in the text become spaces; those a reference stands for stay.
    bool straighten = false;
};

void appendSafe(std::string& out, std::string_view text, SafeRules rules)
{
    const bool attribute = rules.attribute;
    for (std::size_t i = 0; i < text.size();) {
        // Ordinary bytes go over in runs.
        const std::size_t run = scan::nextXmlSpecial(text, i, attribute, rules.straighten);
        out.append(text.substr(i, run - i));
        i = run;
        if (i >= text.size()) break;
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '&') {
            const std::string_view rest = text.substr(i);
            std::size_t ruleLength = 0;
            if (rules.bodyRules) {
                if (const char byte = bodyRuleCharacter(rest, ruleLength)) {
                    out.push_back(byte);
                    i += ruleLength;
                    continue;
                }
            }
            std::uint32_t cp = 0;
            std::string_view name;
            if (const std::size_t len = parseNumericReference(rest, cp)) {
                appendNumericReference(out, rest.substr(0, len), cp, attribute);
                i += len;
            } else if (const std::size_t nlen = namedReference(rest, name)) {
                if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos") {
                    out.append(rest.substr(0, nlen));
                } else if (const auto entity = lookupHtmlEntity(name)) {
                    appendCodePoint(out, entity->first, attribute);
                    if (entity->second != 0) appendCodePoint(out, entity->second, attribute);
                } else {
                    out += "&amp;";
                    out.append(rest.substr(1, nlen - 1));
                }
                i += nlen;
            } else {
                out += "&amp;";
                ++i;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            // Only written line breaks stop a run, and only when they are straightened.
            out.push_back(' ');
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>' && (attribute || (out.size() >= 2 && out.compare(out.size() - 2, 2, "]]") == 0))) {
            out += "&gt;";
        } else if (c == '"' && attribute) {
            out += "&quot;";
        } else if (!isForbiddenByte(u)) {
            out.push_back(c);
        }
        ++i;
    }
}

}  // namespace

void appendXmlSafeText(std::string& out, std::string_view text) { appendSafe(out, text, SafeRules{}); }

void appendBodyText(std::string& out, std::string_view text, bool straighten)
{
    appendSafe(out, text, SafeRules{.bodyRules = true, .straighten = straighten});
}

std::string xmlSafeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendXmlSafeText(out, text);
    return out;
}

std::string xmlSafeAttributeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    appendSafe(out, value, SafeRules{.attribute = true});
    return out;
}

std::string escapeXmlValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        std::uint32_t cp = 0;
        if (c == '&') {
            const std::size_t len = parseNumericReference(value.substr(i), cp);
            if (len != 0 && isXmlChar(numericReferenceCharacter(cp))) {
                appendNumericReference(out, value.substr(i, len), cp, false);
                i += len - 1;
            } else {
                out += "&amp;";
            }
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (!isForbiddenByte(static_cast<unsigned char>(c))) {
            out.push_back(c);
        }
    }
    return out;
}

bool isXmlName(std::string_view name)
{
    if (name.empty() || !(isAsciiLetter(name[0]) || name[0] == '_')) return false;
    for (char c : name)
        if (!(isAsciiLetter(c) || isAsciiDigit(c) || c == '-' || c == '_' || c == '.')) return false;
    return true;
}

}  // namespace vellumar
