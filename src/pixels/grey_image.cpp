#include "pixels/grey_image.h"

#include "pixels/area_averaging.h"

#include <algorithm>

namespace vellumar {

namespace {

// The x taps of every output pixel. Where no output pixel has more than four source pixels
// under it, every one gets the same number (`taps`), the missing ones with weight 0, as the RGB
// averaging pads them: adding 0 leaves a sum of non-negative products as it was, and the inner
// loop gets a fixed length. Otherwise `taps` is 0 and the AxisTaps are used as they are.
struct FixedTaps {
    int taps = 0;
    std::vector<int> start;
    std::vector<float> weights;
};

FixedTaps fixedTaps(const AxisTaps& x, int inCount)
{
    FixedTaps fixed;
    const int most = x.count.empty() ? 0 : *std::max_element(x.count.begin(), x.count.end());
    if (most > 4 || most > inCount) return fixed;
    fixed.taps = most;
    const std::size_t outCount = x.first.size();
    fixed.start.resize(outCount);
    fixed.weights.assign(outCount * static_cast<std::size_t>(most), 0.0f);
    for (std::size_t o = 0; o < outCount; ++o) {
        const int start = std::min(x.first[o], inCount - most);
        fixed.start[o] = start;
        for (int k = 0; k < x.count[o]; ++k)
            fixed.weights[o * static_cast<std::size_t>(most) + static_cast<std::size_t>(x.first[o] - start + k)] =
                x.weights[static_cast<std::size_t>(x.offset[o] + k)];
    }
    return fixed;
}

template <int Taps>
void averageFixed(const float* in, const FixedTaps& x, int width, float* out)
{
    const float* w = x.weights.data();
    for (int o = 0; o < width; ++o, w += Taps) {
        const float* p = in + x.start[static_cast<std::size_t>(o)];
        float sum = w[0] * p[0];
        for (int k = 1; k < Taps; ++k) sum += w[k] * p[k];
        out[o] = sum;
    }
}

void averageAny(const float* in, const AxisTaps& taps, int width, float* out)
{
    for (int o = 0; o < width; ++o) {
        const auto index = static_cast<std::size_t>(o);
        const float* p = in + taps.first[index];
        const float* w = taps.weights.data() + taps.offset[index];
        float sum = w[0] * p[0];
        for (int k = 1; k < taps.count[index]; ++k) sum += w[k] * p[k];
        out[o] = sum;
    }
}

// One source row averaged along x into `out` (width floats), the products added in tap order
// as the RGB averaging adds them; `wide` is room for the row's pixels as floats.
void scaleRow(const std::uint8_t* row, int inCount, const AxisTaps& taps, const FixedTaps& fixed, int width,
              std::vector<float>& wide, float* out)
{
    std::copy_n(row, inCount, wide.begin());
    const float* in = wide.data();
    switch (fixed.taps) {
    case 1:
        averageFixed<1>(in, fixed, width, out);
        break;
    case 2:
        averageFixed<2>(in, fixed, width, out);
        break;
    case 3:
        averageFixed<3>(in, fixed, width, out);
        break;
    case 4:
        averageFixed<4>(in, fixed, width, out);
        break;
    default:
        averageAny(in, taps, width, out);
        break;
    }
}

}  // namespace

GreyImage scaleAreaAverage(const GreyImage& source, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == source.width && height == source.height) return source;
    if (source.width <= 0 || source.height <= 0) return GreyImage(width, height);

    const AxisTaps xTaps = axisTaps(source.width, source.width, width);
    const AxisTaps yTaps = axisTaps(source.height, source.height, height);
    const FixedTaps xFixed = fixedTaps(xTaps, source.width);
    std::vector<float> wide(static_cast<std::size_t>(source.width));
    GreyImage result(width, height);
    const auto rowFloats = static_cast<std::size_t>(width);
    std::vector<float> acc(rowFloats);
    std::vector<float> line(rowFloats);
    int cachedRow = -1;
    std::vector<float> cached(rowFloats);
    for (int y = 0; y < height; ++y) {
        const auto index = static_cast<std::size_t>(y);
        const float* w = yTaps.weights.data() + yTaps.offset[index];
        for (int k = 0; k < yTaps.count[index]; ++k) {
            const int sourceRow = yTaps.first[index] + k;
            // The last source row of one output row is often the first of the next.
            if (sourceRow != cachedRow) {
                scaleRow(source.row(sourceRow), source.width, xTaps, xFixed, width, wide, line.data());
                if (k + 1 == yTaps.count[index]) {
                    cached.swap(line);
                    cachedRow = sourceRow;
                }
            }
            const float* in = sourceRow == cachedRow ? cached.data() : line.data();
            addWeighted(acc.data(), in, w[k], rowFloats, k == 0);
        }
        storeRounded(acc.data(), rowFloats, result.row(y));
    }
    return result;
}

}  // namespace vellumar
