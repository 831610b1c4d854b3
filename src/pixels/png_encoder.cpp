#include "pixels/png_encoder.h"

#include "pixels/picture_error.h"
#include "pixels/picture_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include <libdeflate.h>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vellumar {

namespace {

constexpr int kBytesPerPixel = 3;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// The value the filter predicts from the byte to the left (a), above (b) and above-left (c).
template <int Type>
int predict(int a, int b, int c)
{
    if constexpr (Type == 1) return a;
    if constexpr (Type == 2) return b;
    if constexpr (Type == 3) return (a + b) >> 1;
    if constexpr (Type == 4) return paeth(a, b, c);
    return 0;
}

unsigned absoluteByte(std::uint8_t byte) { return static_cast<unsigned>(std::abs(static_cast<int>(static_cast<std::int8_t>(byte)))); }

#if defined(__SSE2__) && defined(__x86_64__)
// Sixteen bytes at a time. The filters are exact byte arithmetic: the same bytes and sums as
// one byte at a time.
__m128i load16(const std::uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

__m128i absolute16(__m128i value) { return _mm_max_epi16(value, _mm_sub_epi16(_mm_setzero_si128(), value)); }

__m128i select(__m128i mask, __m128i ifSet, __m128i ifClear)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

// Paeth on eight bytes widened to 16 bits: p - a = b - c, p - b = a - c, p - c = (b - c) + (a - c).
__m128i paeth8(__m128i a, __m128i b, __m128i c)
{
    const __m128i bc = _mm_sub_epi16(b, c);
    const __m128i ac = _mm_sub_epi16(a, c);
    const __m128i pa = absolute16(bc);
    const __m128i pb = absolute16(ac);
    const __m128i pc = absolute16(_mm_add_epi16(bc, ac));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i bOverC = _mm_cmpgt_epi16(pb, pc);
    return select(notA, select(bOverC, c, b), a);
}

// The predictions for bytes i .. i + 15 of a row (i at least kBytesPerPixel).
template <int Type>
__m128i predict16(const std::uint8_t* row, const std::uint8_t* prior, std::size_t i)
{
    if constexpr (Type == 0) return _mm_setzero_si128();
    const __m128i a = load16(row + i - kBytesPerPixel);
    if constexpr (Type == 1) return a;
    const __m128i b = load16(prior + i);
    if constexpr (Type == 2) return b;
    if constexpr (Type == 3) {
        // The rounded-up mean, less one where a + b is odd.
        return _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1)));
    }
    const __m128i c = load16(prior + i - kBytesPerPixel);
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = paeth8(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero));
    const __m128i high = paeth8(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero));
    return _mm_packus_epi16(low, high);
}

// Filters bytes from `start` on while sixteen are left; returns where it stopped and adds the
// sum of the outputs read as signed bytes, each without its sign.
template <int Type>
std::size_t filterBlocks(const std::uint8_t* row, const std::uint8_t* prior, std::size_t start, std::size_t length,
                         std::uint8_t* out, unsigned long& sum)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    std::size_t i = start;
    for (; i + 16 <= length; i += 16) {
        const __m128i filtered = _mm_sub_epi8(load16(row + i), predict16<Type>(row, prior, i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), filtered);
        // |x| of a signed byte is the smaller of x and -x read as unsigned bytes.
        const __m128i magnitude = _mm_min_epu8(filtered, _mm_sub_epi8(zero, filtered));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(magnitude, zero));
    }
    sum += static_cast<unsigned long>(_mm_cvtsi128_si64(sums)) +
           static_cast<unsigned long>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    return i;
}
#endif

// Filter type Type (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) of row, with prior the row above
// (all zero for the first row), into out; returns the sum of the outputs read as signed bytes,
// each without its sign.
template <int Type>
unsigned long filterRow(const std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::uint8_t* out)
{
    unsigned long sum = 0;
    const std::size_t lead = std::min<std::size_t>(kBytesPerPixel, length);
    for (std::size_t i = 0; i < lead; ++i) {
        out[i] = static_cast<std::uint8_t>(row[i] - predict<Type>(0, prior[i], 0));
        sum += absoluteByte(out[i]);
    }
    std::size_t i = lead;
#if defined(__SSE2__) && defined(__x86_64__)
    i = filterBlocks<Type>(row, prior, i, length, out, sum);
#endif
    for (; i < length; ++i) {
        out[i] = static_cast<std::uint8_t>(row[i] - predict<Type>(row[i - kBytesPerPixel], prior[i], prior[i - kBytesPerPixel]));
        sum += absoluteByte(out[i]);
    }
    return sum;
}

using RowFilter = unsigned long (*)(const std::uint8_t*, const std::uint8_t*, std::size_t, std::uint8_t*);
constexpr std::array<RowFilter, 5> kRowFilters = {filterRow<0>, filterRow<1>, filterRow<2>, filterRow<3>, filterRow<4>};

void appendBigEndian(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value >> 24));
    out.push_back(static_cast<char>(value >> 16));
    out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value));
}

void appendChunk(std::string& out, const char* type, const char* data, std::size_t length)
{
    appendBigEndian(out, static_cast<std::uint32_t>(length));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data, length);
    const std::uint32_t crc = libdeflate_crc32(0, out.data() + start, length + 4);
    appendBigEndian(out, crc);
}

}  // namespace

std::string filterPngRows(const RgbImage& image, PngRowFilter filter)
{
    const std::size_t length = static_cast<std::size_t>(image.width) * kBytesPerPixel;
    std::string out((length + 1) * static_cast<std::size_t>(image.height), '\0');
    const std::vector<std::uint8_t> zeros(length, 0);
    std::array<std::vector<std::uint8_t>, 5> trials;
    for (auto& trial : trials) trial.resize(filter == PngRowFilter::Adaptive ? length : 0);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.row(y);
        const std::uint8_t* prior = y > 0 ? image.row(y - 1) : zeros.data();
        auto* target = reinterpret_cast<std::uint8_t*>(out.data()) + static_cast<std::size_t>(y) * (length + 1);
        if (filter != PngRowFilter::Adaptive) {
            target[0] = filter == PngRowFilter::Sub ? 1 : 0;
            kRowFilters[target[0]](row, prior, length, target + 1);
            continue;
        }
        // The first filter of the smallest sum wins, as in libpng's heuristic.
        std::size_t best = 0;
        unsigned long bestSum = 0;
        for (std::size_t type = 0; type < kRowFilters.size(); ++type) {
            const unsigned long sum = kRowFilters[type](row, prior, length, trials[type].data());
            if (type == 0 || sum < bestSum) {
                best = type;
                bestSum = sum;
            }
        }
        target[0] = static_cast<std::uint8_t>(best);
        std::copy(trials[best].begin(), trials[best].end(), target + 1);
    }
    return out;
}

std::string encodePng(const RgbImage& image, const PngWriteOptions& options)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3)
        throw PictureError("cannot encode a PNG picture: the picture has no pixels");
    const std::string filtered = filterPngRows(image, options.filter);
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(std::clamp(options.compressionLevel, 0, 9)));
    if (!compressor) throw PictureError("cannot encode a PNG picture: out of memory");
    std::string data(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()), '\0');
    data.resize(libdeflate_zlib_compress(compressor.get(), filtered.data(), filtered.size(), data.data(), data.size()));
    if (data.empty()) throw PictureError("cannot encode a PNG picture: the compressor failed");

    std::string out("\x89PNG\r\n\x1a\n", 8);
    out.reserve(data.size() + data.size() / 1024 + 64);
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(image.width));
    appendBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, standard filters, not interlaced
    appendChunk(out, "IHDR", header.data(), header.size());
    const std::size_t chunk = std::clamp<std::size_t>(options.maxIdatBytes, 64, 0x7FFFFFFF);
    for (std::size_t at = 0; at < data.size(); at += chunk)
        appendChunk(out, "IDAT", data.data() + at, std::min(chunk, data.size() - at));
    appendChunk(out, "IEND", "", 0);
    return out;
}

void writePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options)
{
    writePictureFile(path, encodePng(image, options));
}

}  // namespace vellumar
