#include "encodings/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>

#include "base/ascii_case.h"
#include "base/byte_scan.h"
#include "encodings/single_byte_code_page.h"
#include "encodings/utf8.h"

namespace vellumar {

namespace {

constexpr std::array<char16_t, 128> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// windows-1251's bytes by code point, for the two blocks its upper half draws on: Latin-1 and
// Cyrillic below U+0500, and punctuation and signs from U+2000. 0: windows-1251 lacks it.
template <char32_t First, std::size_t N>
constexpr std::array<unsigned char, N> windows1251BytesFrom()
{
    std::array<unsigned char, N> bytes{};
    for (std::size_t i = 0; i < kWindows1251High.size(); ++i) {
        const char32_t cp = kWindows1251High[i];
        if (cp >= First && cp < First + N) bytes[cp - First] = static_cast<unsigned char>(0x80 + i);
    }
    return bytes;
}

constexpr char32_t kPunctuationFirst = 0x2000;
constexpr auto kBytesBelow0500 = windows1251BytesFrom<0, 0x500>();
constexpr auto kPunctuationBytes = windows1251BytesFrom<kPunctuationFirst, 0x130>();

// Every character of windows-1251's upper half is in one of the two tables.
constexpr bool tablesHoldTheCodePage()
{
    for (std::size_t i = 0; i < kWindows1251High.size(); ++i) {
        const char32_t cp = kWindows1251High[i];
        if (cp == 0xFFFD) continue;  // 0x98 has no character
        const bool low = cp < kBytesBelow0500.size() && kBytesBelow0500[cp] == 0x80 + i;
        const bool punctuation = cp >= kPunctuationFirst && cp - kPunctuationFirst < kPunctuationBytes.size() &&
                                 kPunctuationBytes[cp - kPunctuationFirst] == 0x80 + i;
        if (!low && !punctuation) return false;
    }
    return true;
}
static_assert(tablesHoldTheCodePage());

void appendCharacterReference(std::string& out, char32_t cp)
{
    out.append("&#").append(std::to_string(static_cast<std::uint32_t>(cp))).push_back(';');
}

bool isValidUtf8WithHighBytes(std::string_view s)
{
    bool high = false;
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            i = scan::asciiRunEnd(s, i);
            continue;
        }
        char32_t cp = 0;
        const std::size_t len = decodeUtf8(s, i, cp);
        if (len == 1) return false;  // every valid non-ASCII sequence is longer than one byte
        high = true;
        i += len;
    }
    return high;
}

std::string lowerName(std::string_view name)
{
    std::string out = asciiLower(name);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
    return out;
}

bool isWindows1251Name(std::string_view n)
{
    return n == "windows-1251" || n == "cp1251" || n == "x-cp1251" || n == "win-1251";
}

bool isUtf8Name(std::string_view n) { return n == "utf-8" || n == "utf8"; }

// Labels that browsers read as windows-1252, whose 0x80..0x9F bytes are typographic characters.
std::string iconvName(std::string_view n)
{
    if (n == "iso-8859-1" || n == "iso8859-1" || n == "latin1" || n == "l1" || n == "us-ascii" || n == "ascii")
        return "WINDOWS-1252";
    return std::string(n);
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

std::unique_ptr<void, IconvCloser> openIconv(std::string_view to, std::string_view from)
{
    iconv_t cd = iconv_open(std::string(to).c_str(), std::string(from).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw EncodingError("unknown character set '" + std::string(from == "UTF-8" ? to : from) + "'");
    return std::unique_ptr<void, IconvCloser>(cd);
}

// Labels of UTF-16. A page that names UTF-16 in a <meta> was read as ASCII bytes to find the
// label, so it cannot be UTF-16: browsers read it as UTF-8.
bool isUtf16Name(std::string_view n)
{
    return n == "utf-16" || n == "utf-16le" || n == "utf-16be" || n == "utf16" || n == "ucs-2" || n == "unicode" ||
           n == "csunicode" || n == "iso-10646-ucs-2" || n == "unicodefeff" || n == "unicodefffe";
}

bool isKnownName(std::string_view n)
{
    if (isWindows1251Name(n) || isUtf8Name(n) || isUtf16Name(n)) return true;
    iconv_t cd = iconv_open("UTF-8", iconvName(n).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

}  // namespace

char32_t windows1251ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? static_cast<char32_t>(byte) : static_cast<char32_t>(kWindows1251High[byte - 0x80]);
}

std::optional<unsigned char> unicodeToWindows1251(char32_t cp)
{
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    unsigned char byte = 0;
    if (cp < kBytesBelow0500.size())
        byte = kBytesBelow0500[cp];
    else if (cp >= kPunctuationFirst && cp - kPunctuationFirst < kPunctuationBytes.size())
        byte = kPunctuationBytes[cp - kPunctuationFirst];
    if (byte == 0) return std::nullopt;
    return byte;
}

std::string windows1251ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) appendUtf8(out, windows1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToWindows1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            // ASCII is the same in windows-1251: copied a run at a time.
            const std::size_t end = scan::asciiRunEnd(utf8, i);
            out.append(utf8, i, end - i);
            i = end;
            continue;
        }
        char32_t cp = 0;
        i += decodeUtf8(utf8, i, cp);
        if (const auto byte = unicodeToWindows1251(cp))
            out.push_back(static_cast<char>(*byte));
        else
            appendCharacterReference(out, cp);
    }
    return out;
}

std::string utf8ToWindows1251InPlace(std::string&& utf8, std::size_t from)
{
    std::string text = std::move(utf8);
    // Written behind the reading: a character of two or more bytes gives one. Only a reference
    // can be longer than what it stands for; where it would overtake the reading, the rest is
    // converted into a copy.
    std::size_t put = 0;
    for (std::size_t i = std::min(from, text.size()); i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            const std::size_t end = scan::asciiRunEnd(text, i);
            if (put != i) std::memmove(text.data() + put, text.data() + i, end - i);
            put += end - i;
            i = end;
            continue;
        }
        char32_t cp = 0;
        const std::size_t start = i;
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (lead >= 0xD0 && lead <= 0xD1 && (next & 0xC0) == 0x80) {
            // Cyrillic, the bulk of a Russian book, decoded here: U+0400..U+047F.
            cp = static_cast<char32_t>(((lead & 0x1F) << 6) | (next & 0x3F));
            i += 2;
        } else {
            i += decodeUtf8(text, i, cp);
        }
        if (const auto byte = unicodeToWindows1251(cp)) {
            text[put++] = static_cast<char>(*byte);
            continue;
        }
        std::string reference;
        appendCharacterReference(reference, cp);
        if (put + reference.size() > i) {
            std::string out = text.substr(0, put);
            out.append(utf8ToWindows1251(std::string_view(text).substr(start)));
            return out;
        }
        text.replace(put, reference.size(), reference);
        put += reference.size();
    }
    text.resize(put);
    return text;
}

std::string codePageToUtf8(std::string_view bytes, std::string_view codePage)
{
    const std::string name = lowerName(codePage);
    if (isWindows1251Name(name)) return windows1251ToUtf8(bytes);
    if (isUtf8Name(name)) return std::string(bytes);
    auto cd = openIconv("UTF-8", iconvName(name));
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // A byte with no character in this code page: show U+FFFD and go on after it.
        if (outLeft < 3) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() + 64);
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        *dst++ = static_cast<char>(0xEF);
        *dst++ = static_cast<char>(0xBF);
        *dst++ = static_cast<char>(0xBD);
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string utf8ToCodePage(std::string_view utf8, std::string_view codePage)
{
    const std::string name = lowerName(codePage);
    if (isWindows1251Name(name)) return utf8ToWindows1251(utf8);
    if (isUtf8Name(name)) return std::string(utf8);
    auto cd = openIconv(iconvName(name), "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    char buffer[4096];
    // Convert one character at a time only where iconv stops; plain runs go in large pieces.
    std::size_t i = 0;
    while (i < utf8.size()) {
        char* in = const_cast<char*>(utf8.data() + i);
        std::size_t inLeft = utf8.size() - i;
        char* dst = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &dst, &outLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        i = utf8.size() - inLeft;
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        char32_t cp = 0;
        i += decodeUtf8(utf8, i, cp);
        appendCharacterReference(out, cp);
    }
    return out;
}

std::string detectSourceEncoding(std::string_view bytes, const EncodingWarningHandler& onWarning)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) return "utf-8";
    if (bytes.starts_with("\xFF\xFE")) return "utf-16le";
    if (bytes.starts_with("\xFE\xFF")) return "utf-16be";
    const std::string_view head = bytes.substr(0, 4096);
    const auto n = static_cast<std::int32_t>(head.size());
    for (std::int32_t at = scan::findTextNoCase(head.data(), n, 0, "<meta"); at >= 0;
         at = scan::findTextNoCase(head.data(), n, at + 5, "<meta")) {
        std::int32_t end = scan::findChar(head.data(), n, at, '>');
        if (end < 0) end = n;
        const std::int32_t cs = scan::findTextNoCase(head.data(), end, at, "charset");
        if (cs < 0) continue;
        std::int32_t i = cs + 7;
        while (i < end && (scan::isSpace(head[i]) || head[i] == '=' || head[i] == '"' || head[i] == '\'')) ++i;
        std::int32_t j = i;
        while (j < end && (std::isalnum(static_cast<unsigned char>(head[j])) || head[j] == '-' || head[j] == '_' ||
                           head[j] == '.' || head[j] == ':'))
            ++j;
        if (j == i) continue;
        const std::string name = asciiLower(head.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(j - i)));
        if (isUtf16Name(name)) return "utf-8";
        if (isKnownName(name)) return name;
        if (onWarning) onWarning("unknown character set '" + name + "' in <meta> ignored");
    }
    return isValidUtf8WithHighBytes(bytes) ? "utf-8" : "windows-1251";
}

std::string sourceToWindows1251(std::string_view bytes, std::string_view encoding,
                                const EncodingWarningHandler& onWarning)
{
    std::string name = lowerName(encoding);
    if (name.empty() || name == "auto") name = detectSourceEncoding(bytes, onWarning);
    if (isWindows1251Name(name)) return std::string(bytes);
    if (isUtf8Name(name)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        return utf8ToWindows1251(bytes);
    }
    if ((name == "utf-16le" && bytes.starts_with("\xFF\xFE")) || (name == "utf-16be" && bytes.starts_with("\xFE\xFF")))
        bytes.remove_prefix(2);
    if (const auto table = singleByteCodePageOf(iconvName(name))) return table->toWindows1251(bytes);
    return utf8ToWindows1251(codePageToUtf8(bytes, name));
}

std::string sourceToWindows1251Taken(std::string&& bytes, std::string_view encoding,
                                     const EncodingWarningHandler& onWarning)
{
    std::string name = lowerName(encoding);
    if (name.empty() || name == "auto") name = detectSourceEncoding(bytes, onWarning);
    if (isWindows1251Name(name)) return std::move(bytes);
    if (isUtf8Name(name)) {
        const std::size_t mark = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        return utf8ToWindows1251InPlace(std::move(bytes), mark);
    }
    const std::string taken = std::move(bytes);
    return sourceToWindows1251(taken, name, onWarning);
}

std::string_view byteOrderMark(std::string_view encoding)
{
    const std::string name = lowerName(encoding);
    if (isUtf8Name(name)) return "\xEF\xBB\xBF";
    if (name == "utf-16le") return "\xFF\xFE";
    if (name == "utf-16be") return "\xFE\xFF";
    return {};
}

bool hasByteOrderMark(std::string_view bytes, std::string_view encoding)
{
    const std::string_view mark = byteOrderMark(encoding);
    return !mark.empty() && bytes.starts_with(mark);
}

std::string windows1251ToSource(std::string_view text, std::string_view encoding, bool withByteOrderMark)
{
    const std::string name = lowerName(encoding);
    std::string out(withByteOrderMark ? byteOrderMark(name) : std::string_view());
    if (name.empty() || isWindows1251Name(name)) return out.append(text);
    const std::string utf8 = windows1251ToUtf8(text);
    if (isUtf8Name(name)) return out.append(utf8);
    return out.append(utf8ToCodePage(utf8, iconvName(name)));
}

bool isWindows1251Encoding(std::string_view name) { return isWindows1251Name(lowerName(name)); }

bool isSingleByteEncoding(std::string_view name)
{
    iconv_t cd = iconv_open("UTF-32LE", iconvName(lowerName(name)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    bool singleByte = true;
    for (int byte = 0; byte < 256 && singleByte; ++byte) {
        char in = static_cast<char>(byte);
        char out[16];
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // A byte the encoding leaves undefined is refused on its own; one that waits for more
        // bytes, or gives no character or several, belongs to a multi-byte encoding.
        if (rc == static_cast<std::size_t>(-1) ? errno != EILSEQ : (inLeft != 0 || outPtr - out != 4))
            singleByte = false;
    }
    iconv_close(cd);
    return singleByte;
}

std::string xmlDocumentEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with(std::string_view("<\0?\0", 4)))
        return "utf-16le";
    else if (bytes.starts_with("\xFE\xFF") || bytes.starts_with(std::string_view("\0<\0?", 4)))
        return "utf-16be";
    if (bytes.starts_with("<?xml")) {
        const std::string_view declaration = bytes.substr(0, std::min(bytes.find("?>"), bytes.size()));
        const std::size_t at = declaration.find("encoding");
        if (at != std::string_view::npos) {
            std::size_t i = at + 8;
            while (i < declaration.size() && (scan::isSpace(declaration[i]) || declaration[i] == '=')) ++i;
            if (i < declaration.size() && (declaration[i] == '"' || declaration[i] == '\'')) {
                const std::size_t end = declaration.find(declaration[i], i + 1);
                if (end != std::string_view::npos && end > i + 1)
                    return lowerName(declaration.substr(i + 1, end - i - 1));
            }
        }
    }
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii || isValidUtf8WithHighBytes(bytes) ? "utf-8" : "windows-1251";
}

}  // namespace vellumar
