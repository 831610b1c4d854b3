#pragma once
// Measures and draws table texts with FreeType, in the font that fontconfig chooses for a
// family name (on Linux "MS Sans Serif" resolves to an installed sans-serif substitute).
// Texts are windows-1251 bytes, each byte one character, except that a decimal reference
// ("&#26085;") is the one character windows-1251 lacks (see nextCellCharacter). Glyphs are
// rendered once per character and kept. Not for use from several threads at once.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tables/text_measurer.h"

namespace vellumar {

class FreeTypeTextMeasurer : public TextMeasurer {
public:
    // Loads the font that fontconfig matches for family at a character height of pixelHeight.
    // Throws std::runtime_error naming the family or font file when none can be loaded.
    explicit FreeTypeTextMeasurer(std::string_view family = "MS Sans Serif", int pixelHeight = 11);
    ~FreeTypeTextMeasurer() override;
    FreeTypeTextMeasurer(const FreeTypeTextMeasurer&) = delete;
    FreeTypeTextMeasurer& operator=(const FreeTypeTextMeasurer&) = delete;

    TextSize measureLine(std::string_view line) const override;
    void drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const override;

    const std::string& fontFile() const { return m_fontFile; }
    int lineHeight() const { return m_lineHeight; }

private:
    struct Glyph {
        bool loaded = false;
        int advance = 0;
        int left = 0;  // bitmap offset right of the pen
        int top = 0;   // bitmap offset above the baseline
        int width = 0;
        int rows = 0;
        std::vector<std::uint8_t> coverage;  // width * rows, 0 (paper) to 255 (ink)
    };
    struct FontHandles;

    // The glyph of the character at line[i]; moves i past it.
    const Glyph& glyphAt(std::string_view line, std::size_t& i) const;
    void load(Glyph& glyph, char32_t codePoint, bool visible) const;

    std::unique_ptr<FontHandles> m_font;
    std::string m_fontFile;
    int m_lineHeight = 0;
    int m_ascent = 0;
    mutable std::array<Glyph, 256> m_glyphs;
    mutable std::unordered_map<char32_t, Glyph> m_otherGlyphs;
};

}  // namespace vellumar
