#include "images/rgb_image.h"

#include <algorithm>

namespace vellumar {

namespace {

// Weights of the source samples [first, first+count) for each of `outCount` outputs along one
// axis of `inCount` samples: the overlap of each source sample with the output's footprint.
struct Tap {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Tap> axisTaps(int inCount, int outCount)
{
    std::vector<Tap> taps(static_cast<std::size_t>(outCount));
    const double scale = static_cast<double>(inCount) / outCount;
    for (int o = 0; o < outCount; ++o) {
        const double lo = o * scale;
        const double hi = std::min<double>((o + 1) * scale, inCount);
        Tap& tap = taps[static_cast<std::size_t>(o)];
        tap.first = std::min(static_cast<int>(lo), inCount - 1);
        const int last = std::max(tap.first, std::min(static_cast<int>(hi - 1e-9), inCount - 1));
        const double span = hi - lo;
        for (int i = tap.first; i <= last; ++i) {
            const double cover = std::min<double>(i + 1, hi) - std::max<double>(i, lo);
            tap.weights.push_back(static_cast<float>(std::max(cover, 0.0) / span));
        }
    }
    return taps;
}

}  // namespace

RgbImage ScaleAreaAverage(const RgbImage& source, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (source.width <= 0 || source.height <= 0) return RgbImage(width, height);
    if (width == source.width && height == source.height) return source;

    const std::vector<Tap> xTaps = axisTaps(source.width, width);
    const std::vector<Tap> yTaps = axisTaps(source.height, height);

    // Horizontal pass into float rows, then the vertical pass: the box filter is separable.
    std::vector<float> columns(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(source.height));
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* in = source.row(y);
        float* out = columns.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            const Tap& tap = xTaps[static_cast<std::size_t>(x)];
            float r = 0, g = 0, b = 0;
            const std::uint8_t* p = in + static_cast<std::size_t>(tap.first) * 3;
            for (float w : tap.weights) {
                r += w * p[0];
                g += w * p[1];
                b += w * p[2];
                p += 3;
            }
            out[x * 3] = r;
            out[x * 3 + 1] = g;
            out[x * 3 + 2] = b;
        }
    }

    RgbImage result(width, height);
    std::vector<float> acc(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const Tap& tap = yTaps[static_cast<std::size_t>(y)];
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (std::size_t k = 0; k < tap.weights.size(); ++k) {
            const float w = tap.weights[k];
            const float* in = columns.data() + static_cast<std::size_t>(tap.first + static_cast<int>(k)) *
                                                   static_cast<std::size_t>(width) * 3;
            for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += w * in[i];
        }
        std::uint8_t* out = result.row(y);
        for (std::size_t i = 0; i < acc.size(); ++i)
            out[i] = static_cast<std::uint8_t>(std::clamp(acc[i] + 0.5f, 0.0f, 255.0f));
    }
    return result;
}

}  // namespace vellumar
