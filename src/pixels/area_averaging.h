#pragma once
// The pieces that area averaging shares between RGB and grey pictures: which source samples lie
// under each output sample and with what weight, and the vertical sums and rounding of a row.
// Both kinds add the same products in the same order, so a grey picture averages to exactly the
// values each channel of the same picture in RGB gets.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellumar {

// For each output sample along one axis: the source samples [first, first + count) under its
// footprint and their weights (the overlap with the footprint over its length), kept in one
// flat array so the inner loops walk memory in order.
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;
    std::vector<float> weights;
};

// The taps of outCount samples spread over the first `extent` of inCount source samples.
AxisTaps axisTaps(int inCount, double extent, int outCount);

// acc[i] += weight * in[i] for the n floats of a row; for the first row of a sum, where acc
// would be 0, acc[i] = weight * in[i].
void addWeighted(float* acc, const float* in, float weight, std::size_t n, bool first);

// The n floats of a row rounded into bytes: clamped to 0 .. 255 after adding a half, the
// fraction dropped.
void storeRounded(const float* acc, std::size_t n, std::uint8_t* out);

}  // namespace vellumar
