#include "encodings/code_page_codec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include <iconv.h>

#include "encodings/text_encoding.h"
#include "encodings/utf8.h"

namespace vellumar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Bytes that a single-byte code page leaves undefined are shown as U+F700 + byte.
constexpr char32_t kUndefinedByteBase = 0xF700;
constexpr std::size_t kPlaneSize = 0x10000;

std::size_t referenceLength(char32_t cp)
{
    return 3 + std::to_string(static_cast<std::uint32_t>(cp)).size();  // "&#" digits ";"
}

std::string upperName(std::string_view name)
{
    std::string result(name);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

bool isDoubleByte(const std::string& upper)
{
    static constexpr std::array<std::string_view, 10> kNames = {
        "CP932", "SHIFT_JIS", "CP936", "GBK", "CP949", "EUC-KR", "CP950", "BIG5", "CP1361", "JOHAB"};
    return std::find(kNames.begin(), kNames.end(), upper) != kNames.end();
}

bool isUndefinedByteCharacter(char32_t cp) { return cp >= kUndefinedByteBase && cp < kUndefinedByteBase + 0x100; }

// One iconv conversion of a short input, from the start state: the output, or nothing when the
// input is not converted whole.
class ShortConverter {
public:
    ShortConverter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str()))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) throw EncodingError("unknown character set '" + from + "'");
    }
    ~ShortConverter() { iconv_close(m_cd); }
    ShortConverter(const ShortConverter&) = delete;
    ShortConverter& operator=(const ShortConverter&) = delete;

    // The bytes written; 0 when the input is not converted whole into at most 8 bytes.
    std::size_t convert(const char* input, std::size_t length, char (&out)[8]) const
    {
        char in[8];
        std::copy(input, input + length, in);
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = length;
        std::size_t outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
        return static_cast<std::size_t>(outPtr - out);
    }

private:
    iconv_t m_cd;
};

// The end of the run of ASCII bytes that starts at `from`, eight bytes at a time.
std::size_t asciiRunEnd(std::string_view text, std::size_t from)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = from;
    while (i + 8 <= text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & kHighBits) break;
        i += 8;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    return i;
}

// Decodes the UTF-8 character at s[i] like decodeUtf8, with the two-byte characters of the
// Cyrillic, Greek and Latin alphabets decoded in place.
std::size_t nextCodePoint(std::string_view s, std::size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 >= 0xC2 && b0 < 0xE0 && i + 1 < s.size()) {
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        if ((b1 & 0xC0) == 0x80) {
            cp = static_cast<char32_t>((b0 & 0x1F) << 6 | (b1 & 0x3F));
            return 2;
        }
    }
    return decodeUtf8(s, i, cp);
}

void appendReference(std::string& out, char32_t cp)
{
    out.append("&#").append(std::to_string(static_cast<std::uint32_t>(cp))).push_back(';');
}

char32_t utf32At(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<char32_t>(b[0]) | static_cast<char32_t>(b[1]) << 8 | static_cast<char32_t>(b[2]) << 16 |
           static_cast<char32_t>(b[3]) << 24;
}

}  // namespace

CodePageCodec::CodePageCodec(std::string_view codePage) : m_codePage(codePage)
{
    const std::string upper = upperName(codePage);
    if (upper == "UTF-8" || upper == "UTF8") {
        m_kind = Kind::Utf8;
        return;
    }
    if (isDoubleByte(upper)) {
        m_kind = Kind::DoubleByte;
        buildDoubleByteTables();
        return;
    }

    // All 256 bytes in one conversion: a single-byte code page gives one character per byte,
    // U+FFFD for a byte it leaves undefined.
    std::string all(256, '\0');
    for (int byte = 0; byte < 256; ++byte) all[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
    const std::string utf8 = codePageToUtf8(all, m_codePage);
    m_toUnicode.assign(256, kReplacement);
    m_fromUnicode.assign(kPlaneSize, -1);
    std::size_t at = 0;
    for (int byte = 0; byte < 256; ++byte) {
        char32_t cp = kReplacement;
        if (at < utf8.size()) at += decodeUtf8(utf8, at, cp);
        if (cp == kReplacement || cp >= kPlaneSize || m_fromUnicode[cp] >= 0)
            cp = kUndefinedByteBase + static_cast<char32_t>(byte);
        m_toUnicode[static_cast<std::size_t>(byte)] = cp;
        m_fromUnicode[cp] = static_cast<std::int16_t>(byte);
    }
    m_byteUtf8.resize(256);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        std::string utf8Bytes;
        appendUtf8(utf8Bytes, m_toUnicode[byte]);
        std::array<char, 4>& entry = m_byteUtf8[byte];
        std::copy(utf8Bytes.begin(), utf8Bytes.end(), entry.begin());
        entry[3] = static_cast<char>(utf8Bytes.size());
    }
    m_asciiKept = true;
    for (char32_t b = 0; b < 0x80; ++b)
        if (m_toUnicode[b] != b || m_fromUnicode[b] != static_cast<std::int16_t>(b)) m_asciiKept = false;
}

void CodePageCodec::buildDoubleByteTables()
{
    // Each character of the plane converted on its own; a character the code page lacks keeps
    // width 0 here and is counted as its reference. The private-use characters that stand for
    // single bytes are never the code page's own.
    const ShortConverter toCodePage(m_codePage, "UTF-32LE");
    m_widths.assign(kPlaneSize, 0);
    m_codes.assign(kPlaneSize, 0);
    char out[8];
    for (char32_t cp = 0; cp < kPlaneSize; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || isUndefinedByteCharacter(cp)) continue;
        const char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF), 0, 0};
        const std::size_t width = toCodePage.convert(in, sizeof in, out);
        if (width == 0 || width > 2) continue;
        m_widths[cp] = static_cast<std::uint8_t>(width);
        m_codes[cp] = width == 1 ? static_cast<unsigned char>(out[0])
                                 : static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                              static_cast<unsigned char>(out[1]));
    }
    // Bytes decode only into characters that are written back as the same bytes, so that any
    // text survives being shown and read back.
    const ShortConverter fromCodePage("UTF-32LE", m_codePage);
    auto decodesBack = [&](const char* bytes, std::size_t length, std::uint16_t code) -> char32_t {
        if (fromCodePage.convert(bytes, length, out) != 4) return 0;
        const char32_t cp = utf32At(out);
        return cp < kPlaneSize && m_widths[cp] == length && m_codes[cp] == code ? cp : 0;
    };
    m_byteToUnicode.assign(256, 0);
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        m_byteToUnicode[byte] = decodesBack(&in, 1, static_cast<std::uint16_t>(byte));
    }
    m_pairToUnicode.assign(kPlaneSize, 0);
    for (unsigned code = 0x8000; code < kPlaneSize; ++code) {
        const char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        m_pairToUnicode[code] = decodesBack(in, 2, static_cast<std::uint16_t>(code));
    }
    m_asciiKept = true;
    for (char32_t b = 0; b < 0x80; ++b)
        if (m_byteToUnicode[b] != b || m_widths[b] != 1 || m_codes[b] != b) m_asciiKept = false;
}

std::string CodePageCodec::decodeDoubleByte(std::string_view bytes) const
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 && m_asciiKept) {
            const std::size_t end = asciiRunEnd(bytes, i);
            out.append(bytes.data() + i, end - i);
            i = end - 1;
            continue;
        }
        if (b < 0x80 && m_byteToUnicode[b] == b) {
            out.push_back(bytes[i]);
            continue;
        }
        if (b >= 0x80 && i + 1 < bytes.size()) {
            const unsigned code = b << 8 | static_cast<unsigned char>(bytes[i + 1]);
            if (const char32_t cp = m_pairToUnicode[code]) {
                appendUtf8(out, cp);
                ++i;
                continue;
            }
        }
        const char32_t cp = m_byteToUnicode[b];
        appendUtf8(out, cp != 0 ? cp : kUndefinedByteBase + b);
    }
    return out;
}

void CodePageCodec::appendEncoded(std::string& out, char32_t cp) const
{
    if (m_kind == Kind::SingleByte) {
        if (cp < kPlaneSize && m_fromUnicode[cp] >= 0)
            out.push_back(static_cast<char>(m_fromUnicode[cp]));
        else
            appendReference(out, cp);
        return;
    }
    if (cp < kPlaneSize && m_widths[cp] == 1) {
        out.push_back(static_cast<char>(m_codes[cp]));
    } else if (cp < kPlaneSize && m_widths[cp] == 2) {
        out.push_back(static_cast<char>(m_codes[cp] >> 8));
        out.push_back(static_cast<char>(m_codes[cp] & 0xFF));
    } else if (isUndefinedByteCharacter(cp)) {
        out.push_back(static_cast<char>(cp - kUndefinedByteBase));
    } else {
        appendReference(out, cp);
    }
}

std::string CodePageCodec::decode(std::string_view bytes) const
{
    if (m_kind == Kind::Utf8) return std::string(bytes);
    if (m_kind == Kind::DoubleByte) return decodeDoubleByte(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 && m_asciiKept) {
            const std::size_t end = asciiRunEnd(bytes, i);
            out.append(bytes.data() + i, end - i);
            i = end;
            continue;
        }
        const std::array<char, 4>& utf8 = m_byteUtf8[b];
        out.append(utf8.data(), static_cast<std::size_t>(utf8[3]));
        ++i;
    }
    return out;
}

std::string CodePageCodec::encode(std::string_view utf8) const
{
    if (m_kind == Kind::Utf8) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (m_asciiKept && static_cast<unsigned char>(utf8[i]) < 0x80) {
            const std::size_t end = asciiRunEnd(utf8, i);
            out.append(utf8.data() + i, end - i);
            i = end;
            continue;
        }
        char32_t cp = 0;
        i += nextCodePoint(utf8, i, cp);
        appendEncoded(out, cp);
    }
    return out;
}

std::size_t CodePageCodec::widthOf(char32_t cp) const
{
    if (cp < kPlaneSize) {
        if (m_kind == Kind::SingleByte) {
            if (m_fromUnicode[cp] >= 0) return 1;
        } else {
            if (m_widths[cp] != 0) return m_widths[cp];
            if (isUndefinedByteCharacter(cp)) return 1;
        }
    }
    return referenceLength(cp);
}

std::size_t CodePageCodec::encodedLength(std::string_view utf8) const
{
    if (m_kind == Kind::Utf8) return utf8.size();
    std::size_t total = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80 && m_asciiKept) {
            const std::size_t end = asciiRunEnd(utf8, i);
            total += end - i;
            i = end;
            continue;
        }
        if (b < 0x80 && (m_kind == Kind::SingleByte ? m_fromUnicode[b] >= 0 : m_widths[b] == 1)) {
            ++total;
            ++i;
            continue;
        }
        char32_t cp = 0;
        i += nextCodePoint(utf8, i, cp);
        total += widthOf(cp);
    }
    return total;
}

std::size_t CodePageCodec::utf8Offset(std::string_view utf8, std::size_t encodedOffset) const
{
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        // A run of ASCII takes a byte a character in every code page that keeps ASCII, and in
        // UTF-8.
        if ((m_asciiKept || m_kind == Kind::Utf8) && static_cast<unsigned char>(utf8[i]) < 0x80) {
            const std::size_t end = asciiRunEnd(utf8, i);
            if (total + (end - i) > encodedOffset) return i + (encodedOffset - total);
            total += end - i;
            i = end;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = nextCodePoint(utf8, i, cp);
        const std::size_t width = m_kind == Kind::Utf8 ? length : widthOf(cp);
        if (total + width > encodedOffset) return i;
        total += width;
        i += length;
    }
    return i;
}

}  // namespace vellumar
