#include "convert/utf8_book.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "base/byte_scan.h"
#include "convert/numeric_reference.h"
#include "encodings/text_encoding.h"
#include "encodings/utf8.h"

namespace vellumar {

namespace {

constexpr std::string_view kWindows1251Declaration = "encoding=\"windows-1251\"";
constexpr std::string_view kUtf8Declaration = "encoding=\"utf-8\"";

// Whether the character a reference names may stand as itself wherever the reference stood:
// an XML character that is neither markup nor whitespace a parser would normalise.
bool writtenAsItself(std::uint32_t cp)
{
    switch (cp) {
    case '<':
    case '&':
    case '>':
    case '"':
    case '\'':
        return false;
    default:
        break;
    }
    return (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

// A reference as XML reads it: "&#" decimal digits ";" or "&#x" hexadecimal digits ";" (a
// capital X is no reference in XML and stays as it is). Its length, or 0.
std::size_t xmlReference(std::string_view text, std::uint32_t& value)
{
    if (text.size() > 2 && text[2] == 'X') return 0;
    return parseNumericReference(text, value);
}

// The bytes that end a run copied as it is: '&' and every byte past ASCII.
constexpr std::array<bool, 256> kStopsRun = [] {
    std::array<bool, 256> stops{};
    for (std::size_t b = 0x80; b < stops.size(); ++b) stops[b] = true;
    stops['&'] = true;
    return stops;
}();

bool needsChange(std::string_view text)
{
    return scan::asciiRunEnd(text, 0) != text.size() || std::memchr(text.data(), '&', text.size()) != nullptr;
}

}  // namespace

std::string windows1251BookTextToUtf8(std::string_view text)
{
    std::string out;
    // Cyrillic takes two bytes in UTF-8, each reference at least as many as its character.
    out.reserve(text.size() + text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        // ASCII other than '&' is the same in both encodings: copied a run at a time.
        std::size_t end = i;
        while (end < text.size() && !kStopsRun[static_cast<unsigned char>(text[end])]) ++end;
        out.append(text, i, end - i);
        i = end;
        if (i == text.size()) break;
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            appendUtf8(out, windows1251ToUnicode(byte));
            ++i;
            continue;
        }
        std::uint32_t value = 0;
        const std::size_t length = xmlReference(text.substr(i), value);
        if (length != 0 && writtenAsItself(value)) {
            appendUtf8(out, static_cast<char32_t>(value));
            i += length;
        } else {
            out.push_back('&');
            ++i;
        }
    }
    return out;
}

void encodeBookAsUtf8(TextPieces& pieces)
{
    for (std::string& piece : pieces)
        if (needsChange(piece)) piece = windows1251BookTextToUtf8(piece);
    if (pieces.empty()) return;
    // The declaration is the first line of the header, the first piece.
    std::string& header = pieces.front();
    const std::size_t lineEnd = std::min(header.find('\n'), header.size());
    const std::size_t at = std::string_view(header).substr(0, lineEnd).find(kWindows1251Declaration);
    if (at != std::string::npos) header.replace(at, kWindows1251Declaration.size(), kUtf8Declaration);
}

}  // namespace vellumar
