#pragma once
// How a table's texts are measured and drawn. Layout and drawing ask the same measurer, so
// every text fits the cell that was sized for it; tests use the fixed-metric one to get exact
// pixel arithmetic, the program uses the FreeType one.

#include <string_view>

#include "pixels/rgb_image.h"
#include "tables/pixel_painting.h"

namespace vellumar {

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The pixel size of one line of windows-1251 text (it holds no line break), in which a
    // decimal reference is one character (nextCellCharacter). Every line, the empty one
    // included, is one line height high.
    virtual TextSize measureLine(std::string_view line) const = 0;
    // Draws one line in black with the line's top-left corner at (x, y), touching only the
    // pixels of target that lie inside clip.
    virtual void drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const = 0;
};

// Every character (a byte, or a reference to a character windows-1251 lacks) is charWidth pixels wide and every line lineHeight pixels high. Draws each
// non-space byte as a black block one pixel narrower and two pixels lower than its box.
class FixedMetricMeasurer : public TextMeasurer {
public:
    explicit FixedMetricMeasurer(int charWidth = 5, int lineHeight = 13) : m_charWidth(charWidth), m_lineHeight(lineHeight) {}
    TextSize measureLine(std::string_view line) const override;
    void drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const override;

private:
    int m_charWidth;
    int m_lineHeight;
};

}  // namespace vellumar
