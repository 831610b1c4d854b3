#include "pixels/rgb_image.h"

#include "pixels/area_averaging.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellumar {

namespace {

// A pixel as four floats (red, green, blue and a fourth that is never read): one multiply and
// one add weigh all three channels of a tap at once, each channel rounded exactly as it would
// be on its own.
using Float4 = float __attribute__((vector_size(16)));

void widenRow(const std::uint8_t* in, int count, Float4* out)
{
    int i = 0;
#if defined(__SSE2__)
    // A pixel's bytes and the next one's red, widened to 32 bits and converted. The last
    // pixel is read on its own: four bytes would pass the row's end.
    const __m128i zero = _mm_setzero_si128();
    const auto widen = [&](__m128i bytes) {
        return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
    };
    // Four pixels from one 16-byte read while sixteen bytes are left.
    for (; i + 6 <= count; i += 4, in += 12) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_ps(reinterpret_cast<float*>(out + i), widen(bytes));
        _mm_storeu_ps(reinterpret_cast<float*>(out + i + 1), widen(_mm_srli_si128(bytes, 3)));
        _mm_storeu_ps(reinterpret_cast<float*>(out + i + 2), widen(_mm_srli_si128(bytes, 6)));
        _mm_storeu_ps(reinterpret_cast<float*>(out + i + 3), widen(_mm_srli_si128(bytes, 9)));
    }
    for (; i + 1 < count; ++i, in += 3) {
        std::int32_t bytes = 0;
        std::memcpy(&bytes, in, sizeof bytes);
        _mm_storeu_ps(reinterpret_cast<float*>(out + i), widen(_mm_cvtsi32_si128(bytes)));
    }
#endif
    for (; i < count; ++i, in += 3)
        out[i] = Float4{static_cast<float>(in[0]), static_cast<float>(in[1]), static_cast<float>(in[2]), 0.0f};
}

// The x weights of every output pixel, each repeated in four lanes. Where no output pixel
// has more than four source pixels under it, every output pixel gets the same number of taps
// (`taps`), the missing ones with weight 0 (adding 0 leaves a sum of products of non-negative
// numbers as it was): the inner loop then has a fixed length. Otherwise `taps` is 0 and the
// taps are those of the AxisTaps.
struct SpreadWeights {
    int taps = 0;
    std::vector<int> start;
    std::vector<Float4> weights;
};

SpreadWeights spreadWeights(const AxisTaps& x, int inCount)
{
    SpreadWeights spread;
    const int most = x.count.empty() ? 0 : *std::max_element(x.count.begin(), x.count.end());
    const auto lanes = [](float w) { return Float4{w, w, w, w}; };
    if (most > 4 || most > inCount) {
        spread.start = x.first;
        for (float w : x.weights) spread.weights.push_back(lanes(w));
        return spread;
    }
    spread.taps = most;
    const std::size_t outCount = x.first.size();
    spread.start.resize(outCount);
    spread.weights.assign(outCount * static_cast<std::size_t>(most), lanes(0.0f));
    for (std::size_t o = 0; o < outCount; ++o) {
        const int start = std::min(x.first[o], inCount - most);
        spread.start[o] = start;
        for (int k = 0; k < x.count[o]; ++k) {
            const auto slot = o * static_cast<std::size_t>(most) + static_cast<std::size_t>(x.first[o] - start + k);
            spread.weights[slot] = lanes(x.weights[static_cast<std::size_t>(x.offset[o] + k)]);
        }
    }
    return spread;
}

template <int Taps>
void averageFixed(const Float4* wide, const SpreadWeights& x, int width, float* out)
{
    const Float4* w = x.weights.data();
    for (int o = 0; o < width; ++o, w += Taps) {
        const Float4* p = wide + x.start[static_cast<std::size_t>(o)];
        Float4 sum = w[0] * p[0];
        for (int k = 1; k < Taps; ++k) sum += w[k] * p[k];
        // All four lanes at once: the fourth is overwritten by the next pixel's red (the row has
        // one float to spare after its last pixel).
        std::memcpy(out + o * 3, &sum, sizeof sum);
    }
}

void averageAny(const Float4* wide, const AxisTaps& taps, const SpreadWeights& x, int width, float* out)
{
    for (int o = 0; o < width; ++o) {
        const auto index = static_cast<std::size_t>(o);
        const Float4* p = wide + taps.first[index];
        const Float4* w = x.weights.data() + taps.offset[index];
        Float4 sum = w[0] * p[0];
        for (int k = 1; k < taps.count[index]; ++k) sum += w[k] * p[k];
        out[o * 3] = sum[0];
        out[o * 3 + 1] = sum[1];
        out[o * 3 + 2] = sum[2];
    }
}

// One source row averaged along x into `out` (width × 3 floats); `wide` is scratch room for
// the row's pixels as floats.
void scaleRow(const std::uint8_t* in, int inCount, const AxisTaps& taps, const SpreadWeights& x, int width,
              std::vector<Float4>& wide, float* out)
{
    widenRow(in, inCount, wide.data());
    switch (x.taps) {
    case 1: averageFixed<1>(wide.data(), x, width, out); break;
    case 2: averageFixed<2>(wide.data(), x, width, out); break;
    case 3: averageFixed<3>(wide.data(), x, width, out); break;
    case 4: averageFixed<4>(wide.data(), x, width, out); break;
    default: averageAny(wide.data(), taps, x, width, out); break;
    }
}

}  // namespace

RgbImage scaleAreaAverage(const RgbImage& source, int width, int height)
{
    if (width == source.width && height == source.height && width > 0 && height > 0) return source;
    return scaleAreaAverageRegion(source, source.width, source.height, width, height);
}

RgbImage scaleAreaAverageRegion(const RgbImage& source, double sourceWidth, double sourceHeight, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (source.width <= 0 || source.height <= 0) return RgbImage(width, height);

    const AxisTaps xTaps = axisTaps(source.width, sourceWidth, width);
    const AxisTaps yTaps = axisTaps(source.height, sourceHeight, height);

    // Row by row: each source row under an output row is averaged along x, then added with its
    // vertical weight. A shrink reads each source row once or twice; nothing of the whole
    // source size is allocated.
    RgbImage result(width, height);
    const std::size_t rowFloats = static_cast<std::size_t>(width) * 3;
    std::vector<float> acc(rowFloats);
    std::vector<float> line(rowFloats + 1);
    int cachedRow = -1;
    std::vector<float> cached(rowFloats + 1);
    std::vector<Float4> wide(static_cast<std::size_t>(source.width));
    const SpreadWeights xWeights = spreadWeights(xTaps, source.width);
    for (int y = 0; y < height; ++y) {
        const auto index = static_cast<std::size_t>(y);
        const float* w = yTaps.weights.data() + yTaps.offset[index];
        for (int k = 0; k < yTaps.count[index]; ++k) {
            const int sourceRow = yTaps.first[index] + k;
            // The last source row of one output row is often the first of the next.
            const float* in;
            if (sourceRow == cachedRow) {
                in = cached.data();
            } else {
                scaleRow(source.row(sourceRow), source.width, xTaps, xWeights, width, wide, line.data());
                if (k + 1 == yTaps.count[index]) {
                    cached.swap(line);
                    cachedRow = sourceRow;
                    in = cached.data();
                } else {
                    in = line.data();
                }
            }
            addWeighted(acc.data(), in, w[k], rowFloats, k == 0);
        }
        storeRounded(acc.data(), rowFloats, result.row(y));
    }
    return result;
}

}  // namespace vellumar
