#include "encodings/code_page_codec.h"

#include <algorithm>
#include <array>
#include <cctype>

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

bool isMultiByte(const std::string& upper)
{
    static constexpr std::array<std::string_view, 10> kNames = {
        "CP932", "SHIFT_JIS", "CP936", "GBK", "CP949", "EUC-KR", "CP950", "BIG5", "CP1361", "JOHAB"};
    return std::find(kNames.begin(), kNames.end(), upper) != kNames.end();
}

}  // namespace

CodePageCodec::CodePageCodec(std::string_view codePage) : m_codePage(codePage)
{
    m_singleByte = !isMultiByte(upperName(codePage));
    if (!m_singleByte) {
        measureMultiByteWidths();
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
}

void CodePageCodec::measureMultiByteWidths()
{
    // Each character of the plane converted on its own; a character the code page lacks keeps
    // width 0 here and is counted as its reference.
    iconv_t cd = iconv_open(m_codePage.c_str(), "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw EncodingError("unknown character set '" + m_codePage + "'");
    m_widths.assign(kPlaneSize, 0);
    for (char32_t cp = 0; cp < kPlaneSize; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF), 0, 0};
        char out[16];
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = sizeof in;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0)
            m_widths[cp] = static_cast<std::uint8_t>(outPtr - out);
    }
    iconv_close(cd);
}

std::string CodePageCodec::decode(std::string_view bytes) const
{
    if (!m_singleByte) return codePageToUtf8(bytes, m_codePage);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80 && m_toUnicode[b] == b)
            out.push_back(c);
        else
            appendUtf8(out, m_toUnicode[b]);
    }
    return out;
}

std::string CodePageCodec::encode(std::string_view utf8) const
{
    if (!m_singleByte) return utf8ToCodePage(utf8, m_codePage);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        i += decodeUtf8(utf8, i, cp);
        if (cp < kPlaneSize && m_fromUnicode[cp] >= 0) {
            out.push_back(static_cast<char>(m_fromUnicode[cp]));
        } else {
            out.append("&#").append(std::to_string(static_cast<std::uint32_t>(cp))).push_back(';');
        }
    }
    return out;
}

std::size_t CodePageCodec::widthOf(char32_t cp) const
{
    if (cp < kPlaneSize) {
        if (m_singleByte) {
            if (m_fromUnicode[cp] >= 0) return 1;
        } else {
            if (cp < 0x80) return 1;
            if (m_widths[cp] != 0) return m_widths[cp];
        }
    }
    return referenceLength(cp);
}

std::size_t CodePageCodec::encodedLength(std::string_view utf8) const
{
    std::size_t total = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80 && (!m_singleByte || m_fromUnicode[b] >= 0)) {
            ++total;
            ++i;
            continue;
        }
        char32_t cp = 0;
        i += decodeUtf8(utf8, i, cp);
        total += widthOf(cp);
    }
    return total;
}

std::size_t CodePageCodec::utf8Offset(std::string_view utf8, std::size_t encodedOffset) const
{
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(utf8, i, cp);
        const std::size_t width = widthOf(cp);
        if (total + width > encodedOffset) return i;
        total += width;
        i += length;
    }
    return i;
}

}  // namespace vellumar
