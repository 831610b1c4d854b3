#include "tables/freetype_text_measurer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

#include "encodings/text_encoding.h"
#include "tables/cell_text.h"

namespace vellumar {

struct FreeTypeTextMeasurer::FontHandles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FontHandles()
    {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

FontFile matchFont(std::string_view family)
{
    const std::string name(family);
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) throw std::runtime_error("cannot look up the font \"" + name + "\"");
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FontFile found;
    if (match != nullptr) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
            found.path = reinterpret_cast<const char*>(file);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
        FcPatternDestroy(match);
    }
    if (found.path.empty()) throw std::runtime_error("no font is installed for \"" + name + "\"");
    return found;
}

// Rounds a 26.6 fixed-point value to whole pixels.
int pixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

}  // namespace

FreeTypeTextMeasurer::FreeTypeTextMeasurer(std::string_view family, int pixelHeight)
    : m_font(std::make_unique<FontHandles>())
{
    const FontFile file = matchFont(family);
    m_fontFile = file.path;
    if (FT_Init_FreeType(&m_font->library) != 0) throw std::runtime_error("cannot start the FreeType library");
    if (FT_New_Face(m_font->library, file.path.c_str(), file.index, &m_font->face) != 0)
        throw std::runtime_error("cannot load the font file " + file.path);
    if (FT_Set_Pixel_Sizes(m_font->face, 0, static_cast<FT_UInt>(std::max(pixelHeight, 1))) != 0)
        throw std::runtime_error("cannot size the font " + file.path);
    const FT_Size_Metrics& metrics = m_font->face->size->metrics;
    m_ascent = pixels(metrics.ascender);
    m_lineHeight = std::max(m_ascent - pixels(metrics.descender), 1);
}

FreeTypeTextMeasurer::~FreeTypeTextMeasurer() = default;

const FreeTypeTextMeasurer::Glyph& FreeTypeTextMeasurer::glyphAt(std::string_view line, std::size_t& i) const
{
    const auto byte = static_cast<unsigned char>(line[i]);
    char32_t codePoint = 0;
    const std::size_t length = byte == '&' ? nextCellCharacter(line, i, codePoint) : 1;
    i += length;
    if (length == 1) {
        Glyph& g = m_glyphs[byte];
        // Control characters take the room of a space and show nothing.
        if (!g.loaded) load(g, byte < 32 ? U' ' : windows1251ToUnicode(byte), byte > 32);
        return g;
    }
    Glyph& g = m_otherGlyphs[codePoint];
    if (!g.loaded) load(g, codePoint, true);
    return g;
}

void FreeTypeTextMeasurer::load(Glyph& g, char32_t codePoint, bool visible) const
{
    g.loaded = true;
    FT_Face face = m_font->face;
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return;
    g.advance = pixels(face->glyph->advance.x);
    if (!visible || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.rows));
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::copy(source, source + g.width, g.coverage.begin() + static_cast<std::ptrdiff_t>(y) * g.width);
    }
}

TextSize FreeTypeTextMeasurer::measureLine(std::string_view line) const
{
    int width = 0;
    for (std::size_t i = 0; i < line.size();) width += glyphAt(line, i).advance;
    return {width, m_lineHeight};
}

void FreeTypeTextMeasurer::drawLine(RgbImage& target, int x, int y, std::string_view line, const PixelRect& clip) const
{
    const PixelRect area = clipToImage(clip, target);
    if (area.width == 0 || area.height == 0) return;
    const int baseline = y + m_ascent;
    int pen = x;
    for (std::size_t i = 0; i < line.size();) {
        const Glyph& g = glyphAt(line, i);
        const int left = pen + g.left;
        const int top = baseline - g.top;
        pen += g.advance;
        const int x0 = std::max(left, area.x);
        const int x1 = std::min(left + g.width, area.x + area.width);
        const int y0 = std::max(top, area.y);
        const int y1 = std::min(top + g.rows, area.y + area.height);
        for (int py = y0; py < y1; ++py) {
            const std::uint8_t* ink = g.coverage.data() + static_cast<std::size_t>(py - top) * static_cast<std::size_t>(g.width);
            std::uint8_t* out = target.row(py);
            for (int px = x0; px < x1; ++px) {
                const unsigned a = ink[px - left];
                if (a == 0) continue;
                // Black ink over whatever is there, by the glyph's coverage of the pixel.
                std::uint8_t* p = out + static_cast<std::size_t>(px) * 3;
                for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>((p[k] * (255u - a) + 127u) / 255u);
            }
        }
    }
}

}  // namespace vellumar
