#include "pixels/grey_image.h"

#include "pixels/area_averaging.h"

#include <algorithm>

namespace vellumar {

namespace {

// One source row averaged along x into `out` (width floats). The products are added in tap
// order, as the RGB averaging adds them (its zero-weight padding taps leave the sums as they are).
void scaleRow(const std::uint8_t* in, const AxisTaps& taps, int width, float* out)
{
    for (int o = 0; o < width; ++o) {
        const auto index = static_cast<std::size_t>(o);
        const std::uint8_t* p = in + taps.first[index];
        const float* w = taps.weights.data() + taps.offset[index];
        float sum = w[0] * static_cast<float>(p[0]);
        for (int k = 1; k < taps.count[index]; ++k) sum += w[k] * static_cast<float>(p[k]);
        out[o] = sum;
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
                scaleRow(source.row(sourceRow), xTaps, width, line.data());
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
