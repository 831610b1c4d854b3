#include "tables/text_measurer.h"

#include <algorithm>

namespace vellumar {

TextSize FixedMetricMeasurer::measureLine(std::string_view line) const
{
    return {static_cast<int>(line.size()) * m_charWidth, m_lineHeight};
}

void FixedMetricMeasurer::drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const
{
    const PixelRect area = ClipToImage(clip, target);
    const int blockWidth = std::max(m_charWidth - 1, 1);
    const int blockHeight = std::max(m_lineHeight - 2, 1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ') continue;
        const int left = std::max(x + static_cast<int>(i) * m_charWidth, area.x);
        const int top = std::max(y + 1, area.y);
        const int right = std::min(x + static_cast<int>(i) * m_charWidth + blockWidth, area.x + area.width);
        const int bottom = std::min(y + 1 + blockHeight, area.y + area.height);
        if (right > left && bottom > top) FillRect(target, {left, top, right - left, bottom - top}, 0);
    }
}

}  // namespace vellumar
