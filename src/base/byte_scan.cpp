#include "base/byte_scan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/ascii_case.h"

namespace vellumar::scan {

namespace {

#if defined(__SSE2__)
__m128i load16(const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
__m128i bytesEqual(__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); }
unsigned maskOf(__m128i lanes) { return static_cast<unsigned>(_mm_movemask_epi8(lanes)); }
#endif

// Shared walk of the two "outside quotes" scanners: the first offset at or after start of
// `byte` (of whitespace, with kSpaces) outside a quoted run, or -1 (also when a run is still
// open at the end). Outside a run, blocks of 16 bytes are searched for the wanted bytes and the
// quotes together; inside, only the run's own quote is looked for.
template <bool kSpaces>
std::int32_t findOutsideQuotes(const char* data, std::int32_t length, std::int32_t start, char byte)
{
    if (start < 0 || start >= length) return -1;
    const auto wanted = [byte](char c) { return kSpaces ? isSpace(c) : c == byte; };
    std::int32_t at = start;
    while (at < length) {
#if defined(__SSE2__)
        for (; at + 16 <= length; at += 16) {
            const __m128i bytes = load16(data + at);
            const __m128i quotes = _mm_or_si128(bytesEqual(bytes, '"'), bytesEqual(bytes, '\''));
            const __m128i wantedBytes =
                kSpaces ? _mm_or_si128(_mm_or_si128(bytesEqual(bytes, ' '), bytesEqual(bytes, '\t')),
                                       _mm_or_si128(bytesEqual(bytes, '\n'), bytesEqual(bytes, '\r')))
                        : bytesEqual(bytes, byte);
            if (const unsigned mask = maskOf(_mm_or_si128(quotes, wantedBytes))) {
                at += __builtin_ctz(mask);
                break;
            }
        }
#endif
        while (at < length && !wanted(data[at]) && !isQuote(data[at])) ++at;
        if (at == length) return -1;
        if (wanted(data[at])) return at;
        // A run ends at its own quote, unless a backslash stands before it.
        const char quote = data[at];
        for (;;) {
            const void* close = std::memchr(data + at + 1, quote, static_cast<std::size_t>(length - at - 1));
            if (close == nullptr) return -1;
            at = static_cast<std::int32_t>(static_cast<const char*>(close) - data);
            if (data[at - 1] != '\\') break;
        }
        ++at;
    }
    return -1;
}

}  // namespace

std::int32_t findTextNoCase(const char* data, std::int32_t length, std::int32_t start, std::string_view needle)
{
    if (start < 0 || start >= length || needle.empty()) return -1;
    const auto n = static_cast<std::int32_t>(needle.size());
    const std::int32_t lastStart = length - n;
    const unsigned char first = static_cast<unsigned char>(needle[0]);
    const bool firstIsLetter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    std::int32_t i = start;
    while (i <= lastStart) {
        if (!firstIsLetter) {
            // The first byte only matches itself: let memchr find the candidates.
            const void* hit = std::memchr(data + i, first, static_cast<std::size_t>(lastStart - i + 1));
            if (hit == nullptr) return -1;
            i = static_cast<std::int32_t>(static_cast<const char*>(hit) - data);
        }
        if (equalsNoCase(std::string_view(data + i, needle.size()), needle)) return i;
        ++i;
    }
    return -1;
}

std::int32_t findChar(const char* data, std::int32_t length, std::int32_t start, char byte)
{
    if (start < 0 || start >= length) return -1;
    const void* hit = std::memchr(data + start, static_cast<unsigned char>(byte), static_cast<std::size_t>(length - start));
    return hit == nullptr ? -1 : static_cast<std::int32_t>(static_cast<const char*>(hit) - data);
}

std::int32_t findCharOutsideQuotes(const char* data, std::int32_t length, std::int32_t start, char byte)
{
    return findOutsideQuotes<false>(data, length, start, byte);
}

std::int32_t findSpaceOutsideQuotes(const char* data, std::int32_t length, std::int32_t start)
{
    return findOutsideQuotes<true>(data, length, start, ' ');
}

std::int32_t skipSpaces(const char* data, std::int32_t length, std::int32_t start)
{
    if (start < 0 || start >= length) return -1;
    for (std::int32_t i = start; i < length; ++i)
        if (!isSpace(data[i])) return i;
    return -1;
}

std::int32_t skipSpacesBack(const char* data, std::int32_t length, std::int32_t start)
{
    if (start < 0 || start >= length) return -1;
    for (std::int32_t i = start; i >= 0; --i)
        if (!isSpace(data[i])) return i;
    return -1;
}

std::size_t asciiRunEnd(std::string_view text, std::size_t from)
{
    std::size_t at = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time: the first set top bit ends the run.
    for (; at + 16 <= text.size(); at += 16)
        if (const unsigned mask = maskOf(load16(text.data() + at)))
            return at + static_cast<std::size_t>(__builtin_ctz(mask));
#endif
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at;
}

namespace {

bool isXmlSpecial(char c, bool attribute, bool lineBreaks)
{
    const auto u = static_cast<unsigned char>(c);
    return c == '&' || c == '<' || c == '>' || (attribute && c == '"') ||
           (u < 0x20 && c != '\t' && (lineBreaks || (c != '\n' && c != '\r'))) || u == 0x98;
}

}  // namespace

bool endsEveryLineWithCrLf(std::string_view text)
{
    const char* const data = text.data();
    const std::size_t n = text.size();
    std::size_t at = 0;
    bool afterCr = false;  // the byte before `at` is a CR
#if defined(__SSE2__)
    // Sixteen bytes at a time: their LFs must be exactly their CRs moved on by one, the LF
    // after a block's last CR being the next block's first byte.
    for (; at + 16 <= n; at += 16) {
        const __m128i bytes = load16(data + at);
        const unsigned crs = maskOf(bytesEqual(bytes, '\r'));
        const unsigned lfs = maskOf(bytesEqual(bytes, '\n'));
        if ((((crs << 1) | (afterCr ? 1u : 0u)) & 0xFFFFu) != lfs) return false;
        afterCr = (crs & 0x8000u) != 0;
    }
#endif
    for (; at < n; ++at) {
        if (afterCr != (data[at] == '\n')) return false;
        afterCr = data[at] == '\r';
    }
    return !afterCr;
}

std::size_t nextDoubleBlank(std::string_view text, std::size_t from)
{
    const std::size_t n = text.size();
    std::size_t at = from < 1 ? 1 : from;
#if defined(__SSE2__)
    const auto blanks = [](__m128i bytes) {
        return _mm_or_si128(_mm_or_si128(bytesEqual(bytes, ' '), bytesEqual(bytes, '\t')),
                            bytesEqual(bytes, static_cast<char>(160)));
    };
    // Each block read twice, as itself and one byte back, so that no carry is needed.
    for (; at + 16 <= n; at += 16) {
        const __m128i doubled = _mm_and_si128(blanks(load16(text.data() + at)), blanks(load16(text.data() + at - 1)));
        if (const unsigned mask = maskOf(doubled)) return at + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; at < n; ++at)
        if (isBlank(text[at]) && isBlank(text[at - 1])) return at;
    return n;
}

std::size_t nextXmlSpecial(std::string_view text, std::size_t from, bool attribute, bool lineBreaks)
{
    const std::size_t n = text.size();
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i quote = attribute ? _mm_set1_epi8('"') : _mm_set1_epi8('&');
    // LF and CR stand for TAB when they are not special.
    const __m128i lf = lineBreaks ? _mm_set1_epi8('\t') : _mm_set1_epi8('\n');
    const __m128i cr = lineBreaks ? _mm_set1_epi8('\t') : _mm_set1_epi8('\r');
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    for (; at + 16 <= n; at += 16) {
        const __m128i bytes = load16(text.data() + at);
        // Bytes up to 0x1F, less TAB (and LF and CR unless they are special).
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes);
        const __m128i lineOrTab =
            _mm_or_si128(_mm_or_si128(bytesEqual(bytes, '\t'), _mm_cmpeq_epi8(bytes, lf)), _mm_cmpeq_epi8(bytes, cr));
        const __m128i special = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(bytesEqual(bytes, '&'), bytesEqual(bytes, '<')), bytesEqual(bytes, '>')),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, quote), bytesEqual(bytes, static_cast<char>(0x98))),
                         _mm_andnot_si128(lineOrTab, control)));
        if (const unsigned mask = maskOf(special)) return at + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; at < n; ++at)
        if (isXmlSpecial(text[at], attribute, lineBreaks)) return at;
    return n;
}

}  // namespace vellumar::scan
