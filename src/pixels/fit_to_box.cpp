#include "pixels/fit_to_box.h"

#include <algorithm>
#include <cmath>

namespace vellumar {

namespace {

// Round half to even, whatever rounding mode the process runs in.
int roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1;
    return static_cast<int>(std::clamp(result, 1.0, 2147483647.0));
}

}  // namespace

PictureSize fitToBox(int width, int height, int maxWidth, int maxHeight)
{
    maxWidth = std::max(maxWidth, 1);
    maxHeight = std::max(maxHeight, 1);
    width = std::max(width, 1);
    height = std::max(height, 1);
    const bool wide = width > maxWidth;
    const bool tall = height > maxHeight;
    if (!wide && !tall) return {width, height};
    const bool heightLimits =
        tall && (!wide || static_cast<double>(height) / maxHeight > static_cast<double>(width) / maxWidth);
    if (heightLimits) return {roundHalfEven(static_cast<double>(maxHeight) / height * width), maxHeight};
    return {maxWidth, roundHalfEven(static_cast<double>(maxWidth) / width * height)};
}

}  // namespace vellumar
