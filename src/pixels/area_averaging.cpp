#include "pixels/area_averaging.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellumar {

AxisTaps axisTaps(int inCount, double extent, int outCount)
{
    AxisTaps taps;
    taps.first.resize(static_cast<std::size_t>(outCount));
    taps.count.resize(static_cast<std::size_t>(outCount));
    taps.offset.resize(static_cast<std::size_t>(outCount));
    extent = std::clamp(extent, 1e-9, static_cast<double>(inCount));
    const double scale = extent / outCount;
    for (int o = 0; o < outCount; ++o) {
        const double lo = o * scale;
        const double hi = std::min((o + 1) * scale, extent);
        const int first = std::clamp(static_cast<int>(std::floor(lo)), 0, inCount - 1);
        const int last = std::clamp(static_cast<int>(std::ceil(hi)) - 1, first, inCount - 1);
        const double span = hi - lo;
        const auto index = static_cast<std::size_t>(o);
        taps.first[index] = first;
        taps.offset[index] = static_cast<int>(taps.weights.size());
        for (int i = first; i <= last; ++i) {
            const double cover = std::min<double>(i + 1, hi) - std::max<double>(i, lo);
            taps.weights.push_back(static_cast<float>(std::max(cover, 0.0) / span));
        }
        taps.count[index] = last - first + 1;
    }
    return taps;
}

void addWeighted(float* acc, const float* in, float weight, std::size_t n, bool first)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128 spread = _mm_set1_ps(weight);
    if (first) {
        for (; i + 4 <= n; i += 4) _mm_storeu_ps(acc + i, _mm_mul_ps(spread, _mm_loadu_ps(in + i)));
    } else {
        for (; i + 4 <= n; i += 4)
            _mm_storeu_ps(acc + i, _mm_add_ps(_mm_loadu_ps(acc + i), _mm_mul_ps(spread, _mm_loadu_ps(in + i))));
    }
#endif
    for (; i < n; ++i) acc[i] = first ? weight * in[i] : acc[i] + weight * in[i];
}

void storeRounded(const float* acc, std::size_t n, std::uint8_t* out)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 top = _mm_set1_ps(255.0f);
    const __m128 bottom = _mm_setzero_ps();
    const auto round4 = [&](const float* at) {
        return _mm_cvttps_epi32(_mm_max_ps(_mm_min_ps(_mm_add_ps(_mm_loadu_ps(at), half), top), bottom));
    };
    for (; i + 16 <= n; i += 16) {
        const __m128i low = _mm_packs_epi32(round4(acc + i), round4(acc + i + 4));
        const __m128i high = _mm_packs_epi32(round4(acc + i + 8), round4(acc + i + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < n; ++i) out[i] = static_cast<std::uint8_t>(std::clamp(acc[i] + 0.5f, 0.0f, 255.0f));
}

}  // namespace vellumar
