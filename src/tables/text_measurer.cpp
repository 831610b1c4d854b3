#include "tables/text_measurer.h"

#include <algorithm>

#include "tables/cell_text.h"

namespace vellumar {

TextSize FixedMetricMeasurer::measureLine(std::string_view line) const
{
    int characters = 0;
    char32_t codePoint = 0;
    for (std::size_t i = 0; i < line.size(); ++characters) i += nextCellCharacter(line, i, codePoint);
    return {characters * m_charWidth, m_lineHeight};
}

void FixedMetricMeasurer::drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const
{
    const PixelRect area = clipToImage(clip, target);
    const int blockWidth = std::max(m_charWidth - 1, 1);
    const int blockHeight = std::max(m_lineHeight - 2, 1);
    char32_t codePoint = 0;
    for (std::size_t i = 0, column = 0; i < line.size(); ++column) {
        const bool space = line[i] == ' ';
        i += nextCellCharacter(line, i, codePoint);
        if (space) continue;
        const int left = std::max(x + static_cast<int>(column) * m_charWidth, area.x);
        const int top = std::max(y + 1, area.y);
        const int right = std::min(x + static_cast<int>(column) * m_charWidth + blockWidth, area.x + area.width);
        const int bottom = std::min(y + 1 + blockHeight, area.y + area.height);
        if (right > left && bottom > top) fillRect(target, {left, top, right - left, bottom - top}, 0);
    }
}

}  // namespace vellumar
