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

// The predictions for bytes i .. i + 15 of a row of Bpp bytes per pixel (i at least Bpp).
template <int Type, int Bpp>
__m128i predict16(const std::uint8_t* row, const std::uint8_t* prior, std::size_t i)
{
    if constexpr (Type == 0) return _mm_setzero_si128();
    const __m128i a = load16(row + i - Bpp);
    if constexpr (Type == 1) return a;
    const __m128i b = load16(prior + i);
    if constexpr (Type == 2) return b;
    if constexpr (Type == 3) {
        // The rounded-up mean, less one where a + b is odd.
        return _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1)));
    }
    const __m128i c = load16(prior + i - Bpp);
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = paeth8(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero));
    const __m128i high = paeth8(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero));
    return _mm_packus_epi16(low, high);
}

// Filters bytes from `start` on while sixteen are left; returns where it stopped and adds the
// sum of the outputs read as signed bytes, each without its sign.
template <int Type, int Bpp>
std::size_t filterBlocks(const std::uint8_t* row, const std::uint8_t* prior, std::size_t start, std::size_t length,
                         std::uint8_t* out, unsigned long& sum)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    std::size_t i = start;
    for (; i + 16 <= length; i += 16) {
        const __m128i filtered = _mm_sub_epi8(load16(row + i), predict16<Type, Bpp>(row, prior, i));
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

// Filter type Type (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) of a row of Bpp bytes per pixel,
// with prior the row above (all zero for the first row), into out; returns the sum of the
// outputs read as signed bytes, each without its sign.
template <int Type, int Bpp>
unsigned long filterRow(const std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::uint8_t* out)
{
    unsigned long sum = 0;
    const std::size_t lead = std::min<std::size_t>(Bpp, length);
    for (std::size_t i = 0; i < lead; ++i) {
        out[i] = static_cast<std::uint8_t>(row[i] - predict<Type>(0, prior[i], 0));
        sum += absoluteByte(out[i]);
    }
    std::size_t i = lead;
#if defined(__SSE2__) && defined(__x86_64__)
    i = filterBlocks<Type, Bpp>(row, prior, i, length, out, sum);
#endif
    for (; i < length; ++i) {
        out[i] = static_cast<std::uint8_t>(row[i] - predict<Type>(row[i - Bpp], prior[i], prior[i - Bpp]));
        sum += absoluteByte(out[i]);
    }
    return sum;
}

using RowFilter = unsigned long (*)(const std::uint8_t*, const std::uint8_t*, std::size_t, std::uint8_t*);
template <int Bpp>
constexpr std::array<RowFilter, 5> kRowFilters = {filterRow<0, Bpp>, filterRow<1, Bpp>, filterRow<2, Bpp>,
                                                  filterRow<3, Bpp>, filterRow<4, Bpp>};

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

// Rows of `length` bytes, one after the other from `pixels`, as PNG image data before
// compression: each row its filter-type byte and its filtered bytes.
template <int Bpp>
std::string filterRows(const std::uint8_t* pixels, std::size_t length, int height, PngRowFilter filter)
{
    std::string out((length + 1) * static_cast<std::size_t>(height), '\0');
    const std::vector<std::uint8_t> zeros(length, 0);
    std::array<std::vector<std::uint8_t>, 5> trials;
    for (auto& trial : trials) trial.resize(filter == PngRowFilter::Adaptive ? length : 0);
    const std::uint8_t* prior = zeros.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * length;
        auto* target = reinterpret_cast<std::uint8_t*>(out.data()) + static_cast<std::size_t>(y) * (length + 1);
        if (filter == PngRowFilter::None) {
            target[0] = 0;
            std::copy_n(row, length, target + 1);
            continue;
        }
        if (filter == PngRowFilter::Sub) {
            target[0] = 1;
            kRowFilters<Bpp>[1](row, prior, length, target + 1);
            prior = row;
            continue;
        }
        // The first filter of the smallest sum wins, as in libpng's heuristic.
        std::size_t best = 0;
        unsigned long bestSum = 0;
        for (std::size_t type = 0; type < kRowFilters<Bpp>.size(); ++type) {
            const unsigned long sum = kRowFilters<Bpp>[type](row, prior, length, trials[type].data());
            if (type == 0 || sum < bestSum) {
                best = type;
                bestSum = sum;
            }
        }
        target[0] = static_cast<std::uint8_t>(best);
        std::copy(trials[best].begin(), trials[best].end(), target + 1);
        prior = row;
    }
    return out;
}

// What the IHDR chunk says of the pixels.
struct PngLayout {
    int width = 0;
    int height = 0;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 2;  // 0 grey, 2 RGB, 3 palette
};

void checkHasPixels(int width, int height, std::size_t bytes, std::size_t bytesPerPixel)
{
    if (width <= 0 || height <= 0 ||
        bytes != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel)
        throw PictureError("cannot encode a PNG picture: the picture has no pixels");
}

// The file's bytes: header, palette (PLTE data, when not empty), the filtered rows compressed
// into IDAT chunks, and the end.
std::string encodeFiltered(const PngLayout& layout, std::string_view palette, const std::string& filtered,
                           const PngWriteOptions& options)
{
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(std::clamp(options.compressionLevel, 0, 9)));
    if (!compressor) throw PictureError("cannot encode a PNG picture: out of memory");
    std::string data(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()), '\0');
    data.resize(libdeflate_zlib_compress(compressor.get(), filtered.data(), filtered.size(), data.data(), data.size()));
    if (data.empty()) throw PictureError("cannot encode a PNG picture: the compressor failed");

    std::string out("\x89PNG\r\n\x1a\n", 8);
    out.reserve(data.size() + data.size() / 1024 + palette.size() + 64);
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(layout.width));
    appendBigEndian(header, static_cast<std::uint32_t>(layout.height));
    header.push_back(static_cast<char>(layout.bitDepth));
    header.push_back(static_cast<char>(layout.colourType));
    header.append("\x00\x00\x00", 3);  // deflate, standard filters, not interlaced
    appendChunk(out, "IHDR", header.data(), header.size());
    if (!palette.empty()) appendChunk(out, "PLTE", palette.data(), palette.size());
    const std::size_t chunk = std::clamp<std::size_t>(options.maxIdatBytes, 64, 0x7FFFFFFF);
    for (std::size_t at = 0; at < data.size(); at += chunk)
        appendChunk(out, "IDAT", data.data() + at, std::min(chunk, data.size() - at));
    appendChunk(out, "IEND", "", 0);
    return out;
}

int paletteBitDepth(std::size_t colours)
{
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    return colours <= 16 ? 4 : 8;
}

// The indices `depth` bits each, the leftmost pixel in the high bits of each byte, every row
// starting on a byte.
// One row's indices Depth bits each, the leftmost pixel in the high bits of each byte; the last
// byte filled with zero bits.
template <int Depth>
void packRow(const std::uint8_t* in, int width, std::uint8_t* out)
{
    constexpr int kPerByte = 8 / Depth;
    const int whole = width / kPerByte;
    for (int b = 0; b < whole; ++b, in += kPerByte) {
        unsigned byte = 0;
        for (int k = 0; k < kPerByte; ++k) byte = (byte << Depth) | in[k];
        out[b] = static_cast<std::uint8_t>(byte);
    }
    const int left = width - whole * kPerByte;
    if (left == 0) return;
    unsigned byte = 0;
    for (int k = 0; k < kPerByte; ++k) byte = (byte << Depth) | (k < left ? in[k] : 0u);
    out[whole] = static_cast<std::uint8_t>(byte);
}

std::vector<std::uint8_t> packIndices(const PaletteImage& image, int depth, std::size_t rowBytes)
{
    std::vector<std::uint8_t> packed(rowBytes * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* out = packed.data() + static_cast<std::size_t>(y) * rowBytes;
        switch (depth) {
        case 1:
            packRow<1>(image.row(y), image.width, out);
            break;
        case 2:
            packRow<2>(image.row(y), image.width, out);
            break;
        case 4:
            packRow<4>(image.row(y), image.width, out);
            break;
        default:
            std::copy_n(image.row(y), image.width, out);
            break;
        }
    }
    return packed;
}

}  // namespace

std::string filterPngRows(const RgbImage& image, PngRowFilter filter)
{
    return filterRows<3>(image.pixels.data(), static_cast<std::size_t>(image.width) * 3, image.height, filter);
}

std::string encodePng(const RgbImage& image, const PngWriteOptions& options)
{
    checkHasPixels(image.width, image.height, image.pixels.size(), 3);
    return encodeFiltered({image.width, image.height, 8, 2}, {}, filterPngRows(image, options.filter), options);
}

std::string encodePng(const GreyImage& image, const PngWriteOptions& options)
{
    checkHasPixels(image.width, image.height, image.pixels.size(), 1);
    const std::string filtered =
        filterRows<1>(image.pixels.data(), static_cast<std::size_t>(image.width), image.height, options.filter);
    return encodeFiltered({image.width, image.height, 8, 0}, {}, filtered, options);
}

std::string encodePng(const PaletteImage& image, const PngWriteOptions& options)
{
    checkHasPixels(image.width, image.height, image.indices.size(), 1);
    if (image.palette.empty() || image.palette.size() > 256)
        throw PictureError("cannot encode a PNG picture: a palette holds 1 to 256 colours");
    if (*std::max_element(image.indices.begin(), image.indices.end()) >= image.palette.size())
        throw PictureError("cannot encode a PNG picture: a pixel names a colour the palette does not hold");
    const int depth = paletteBitDepth(image.palette.size());
    const std::size_t rowBytes = (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(depth) + 7) / 8;
    const std::vector<std::uint8_t> packed = packIndices(image, depth, rowBytes);
    std::string palette;
    for (const auto& colour : image.palette) palette.append(reinterpret_cast<const char*>(colour.data()), 3);
    const std::string filtered = filterRows<1>(packed.data(), rowBytes, image.height, options.filter);
    return encodeFiltered({image.width, image.height, static_cast<std::uint8_t>(depth), 3}, palette, filtered, options);
}

void writePng(const RgbImage& image, const std::filesystem::path& path, const PngWriteOptions& options)
{
    writePictureFile(path, encodePng(image, options));
}

}  // namespace vellumar
