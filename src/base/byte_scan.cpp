#include "base/byte_scan.h"

#include <cstring>

#include "base/ascii_case.h"

namespace vellumar::scan {

namespace {

// Shared walk of the two "outside quotes" scanners: the first offset at or after start where
// `wanted` holds outside a quoted run, or -1 (also when a run is still open at the end).
template <typename Pred>
std::int32_t findOutsideQuotes(const char* data, std::int32_t length, std::int32_t start, Pred wanted)
{
    if (start < 0 || start >= length) return -1;
    char openQuote = 0;
    for (std::int32_t i = start; i < length; ++i) {
        const char c = data[i];
        if (openQuote != 0) {
            if (c == openQuote && data[i - 1] != '\\') openQuote = 0;
        } else if (wanted(c)) {
            return i;
        } else if (IsQuote(c)) {
            openQuote = c;
        }
    }
    return -1;
}

}  // namespace

std::int32_t FindTextNoCase(const char* data, std::int32_t length, std::int32_t start, std::string_view needle)
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
        if (EqualsNoCase(std::string_view(data + i, needle.size()), needle)) return i;
        ++i;
    }
    return -1;
}

std::int32_t FindChar(const char* data, std::int32_t length, std::int32_t start, char byte)
{
    if (start < 0 || start >= length) return -1;
    const void* hit = std::memchr(data + start, static_cast<unsigned char>(byte), static_cast<std::size_t>(length - start));
    return hit == nullptr ? -1 : static_cast<std::int32_t>(static_cast<const char*>(hit) - data);
}

std::int32_t FindCharOutsideQuotes(const char* data, std::int32_t length, std::int32_t start, char byte)
{
    return findOutsideQuotes(data, length, start, [byte](char c) { return c == byte; });
}

std::int32_t FindSpaceOutsideQuotes(const char* data, std::int32_t length, std::int32_t start)
{
    return findOutsideQuotes(data, length, start, [](char c) { return IsSpace(c); });
}

std::int32_t SkipSpaces(const char* data, std::int32_t length, std::int32_t start)
{
    if (start < 0 || start >= length) return -1;
    for (std::int32_t i = start; i < length; ++i)
        if (!IsSpace(data[i])) return i;
    return -1;
}

std::int32_t SkipSpacesBack(const char* data, std::int32_t length, std::int32_t start)
{
    if (start < 0 || start >= length) return -1;
    for (std::int32_t i = start; i >= 0; --i)
        if (!IsSpace(data[i])) return i;
    return -1;
}

std::size_t AsciiRunEnd(std::string_view text, std::size_t from)
{
    // Eight bytes at a time while a whole word is left: a set top bit in any of them ends it.
    constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
    std::size_t at = from;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & kTopBits) != 0) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at;
}

}  // namespace vellumar::scan
