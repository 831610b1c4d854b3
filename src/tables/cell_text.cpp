#include "tables/cell_text.h"

#include <array>
#include <cstdint>
#include <optional>

#include "html/html_entities.h"
#include "encodings/text_encoding.h"

namespace vellumar {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// What browsers read numeric references 128 to 159 as: the windows-1252 characters (0 where
// windows-1252 has none, and the reference keeps its own value).
constexpr std::array<char16_t, 32> kWindows1252Controls = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A numeric reference "&#N;" or "&#xH;" at text[i]: its code point and length; 0 when there
// is none.
std::size_t readNumericReference(std::string_view text, std::size_t i, char32_t& codePoint)
{
    if (text.compare(i, 2, "&#") != 0) return 0;
    std::size_t at = i + 2;
    const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
    if (hex) ++at;
    const std::size_t digits = at;
    std::uint32_t value = 0;
    for (; at < text.size() && digitValue(text[at], hex) >= 0; ++at) {
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digitValue(text[at], hex));
        if (value > 0x10FFFF) return 0;
    }
    if (at == digits || at >= text.size() || text[at] != ';') return 0;
    codePoint = value;
    return at + 1 - i;
}

void appendCharacter(std::string& out, char32_t codePoint)
{
    if (codePoint >= 0x80 && codePoint <= 0x9F && kWindows1252Controls[codePoint - 0x80] != 0)
        codePoint = kWindows1252Controls[codePoint - 0x80];
    if (const std::optional<unsigned char> byte = unicodeToWindows1251(codePoint); byte && *byte != 0) {
        out.push_back(static_cast<char>(*byte));
        return;
    }
    out.append("&#").append(std::to_string(static_cast<std::uint32_t>(codePoint))).append(";");
}

}  // namespace

std::string_view trimCellText(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::vector<std::string_view> splitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string decodeCellReferences(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out.push_back(text[i++]);
            continue;
        }
        char32_t codePoint = 0;
        if (const std::size_t length = readNumericReference(text, i, codePoint); length != 0 && codePoint != 0) {
            appendCharacter(out, codePoint);
            i += length;
            continue;
        }
        const std::size_t semicolon = text.find(';', i + 1);
        if (semicolon != std::string_view::npos && semicolon - i <= 40) {
            const std::string_view name = text.substr(i + 1, semicolon - i - 1);
            if (name == "nbsp") {
                out.push_back(' ');
                i = semicolon + 1;
                continue;
            }
            if (const std::optional<EntityCodePoints> entity = lookupHtmlEntity(name)) {
                appendCharacter(out, entity->first);
                if (entity->second != 0) appendCharacter(out, entity->second);
                i = semicolon + 1;
                continue;
            }
        }
        out.push_back(text[i++]);
    }
    return out;
}

std::size_t nextCellCharacter(std::string_view line, std::size_t i, char32_t& codePoint)
{
    if (const std::size_t length = readNumericReference(line, i, codePoint); length != 0 && codePoint != 0)
        return length;
    codePoint = windows1251ToUnicode(static_cast<unsigned char>(line[i]));
    return 1;
}

}  // namespace vellumar
