#include "pixels/palette_quantizer.h"

#include "pixels/picture_error.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include <libimagequant.h>

namespace vellumar {

namespace {

// libimagequant's trade of time for palette quality, a little faster than its default: the
// palette is chosen from the histogram of distinct colours (small for a shrunk drawing), and
// the pixels are mapped here.
constexpr int kSpeed = 7;
// libimagequant's quality (0 to 100) at which no more colours are added, even when more are
// allowed: at 80 the drawings of our test books differ from their RGB originals about as much
// as a JPEG at quality 90 does (a mean error under 1 of 255), and at their edges only.
constexpr int kEnoughQuality = 80;
// The largest mean difference of a sample from the RGB picture's, of 255, a palette may leave:
// about 1 % of the range. Shrunk scanned drawings stay near 2 with twice their source's colours.
constexpr double kMostMeanError = 3.0;

struct AttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct HistogramDeleter {
    void operator()(liq_histogram* histogram) const { liq_histogram_destroy(histogram); }
};
struct ResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

std::uint32_t colourAt(const std::uint8_t* pixel)
{
    return (std::uint32_t{pixel[0]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[2];
}

// The picture's distinct colours, numbered in the order they first occur, with how often each
// occurs. An open-addressing table from colour to number that doubles when half full: a
// shrunk drawing has a few hundred colours, a photograph may have as many as pixels.
class ColourTable {
public:
    ColourTable() : m_slots(std::size_t{1} << m_bits, kEmpty) {}

    // The number of `colour`, given when it is new.
    std::uint32_t find(std::uint32_t colour)
    {
        std::size_t at = home(colour);
        while (m_slots[at] != kEmpty) {
            if (colours[m_slots[at]] == colour) return m_slots[at];
            at = (at + 1) & (m_slots.size() - 1);
        }
        const auto number = static_cast<std::uint32_t>(colours.size());
        m_slots[at] = number;
        colours.push_back(colour);
        counts.push_back(0);
        if (colours.size() * 2 > m_slots.size()) grow();
        return number;
    }

    std::vector<std::uint32_t> colours;  // 0xRRGGBB
    std::vector<unsigned> counts;

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    // Fibonacci hashing: the high bits of the product depend on every bit of the colour.
    std::size_t home(std::uint32_t colour) const { return (colour * 2654435761u) >> (32 - m_bits); }

    void grow()
    {
        ++m_bits;
        m_slots.assign(std::size_t{1} << m_bits, kEmpty);
        for (std::uint32_t number = 0; number < colours.size(); ++number) {
            std::size_t at = home(colours[number]);
            while (m_slots[at] != kEmpty) at = (at + 1) & (m_slots.size() - 1);
            m_slots[at] = number;
        }
    }

    int m_bits = 10;
    std::vector<std::uint32_t> m_slots;  // colour numbers, kEmpty where none
};

unsigned distanceSquared(std::uint32_t colour, const liq_color& entry)
{
    const int r = static_cast<int>(colour >> 16) - entry.r;
    const int g = static_cast<int>((colour >> 8) & 255) - entry.g;
    const int b = static_cast<int>(colour & 255) - entry.b;
    return static_cast<unsigned>(r * r + g * g + b * b);
}

// A palette of at most maxColours for these colours (0xRRGGBB) of these counts, and for each
// colour the index of its nearest palette colour.
struct PaletteChoice {
    std::vector<std::array<std::uint8_t, 3>> palette;
    std::vector<std::uint8_t> indexOf;
};

PaletteChoice choosePaletteOf(const std::vector<std::uint32_t>& colours, const std::vector<unsigned>& counts,
                              int maxColours, std::string_view name)
{
    const auto fail = [&](std::string_view why) {
        return PictureError("cannot reduce the picture " + std::string(name) + " to a palette: " + std::string(why));
    };
    const std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr) throw fail("out of memory");
    liq_set_speed(attr.get(), kSpeed);
    liq_set_max_colors(attr.get(), maxColours);
    liq_set_quality(attr.get(), 0, kEnoughQuality);
    const std::unique_ptr<liq_histogram, HistogramDeleter> histogram(liq_histogram_create(attr.get()));
    if (!histogram) throw fail("out of memory");
    std::vector<liq_histogram_entry> entries;
    entries.reserve(colours.size());
    for (std::size_t n = 0; n < colours.size(); ++n) {
        const std::uint32_t colour = colours[n];
        entries.push_back({{static_cast<unsigned char>(colour >> 16), static_cast<unsigned char>(colour >> 8),
                            static_cast<unsigned char>(colour), 255},
                           counts[n]});
    }
    if (liq_histogram_add_colors(histogram.get(), attr.get(), entries.data(), static_cast<int>(entries.size()), 0) !=
        LIQ_OK)
        throw fail("the quantiser failed");
    liq_result* quantized = nullptr;
    if (liq_histogram_quantize(histogram.get(), attr.get(), &quantized) != LIQ_OK || !quantized)
        throw fail("the quantiser failed");
    const std::unique_ptr<liq_result, ResultDeleter> result(quantized);
    const liq_palette* palette = liq_get_palette(result.get());
    if (!palette || palette->count == 0 || palette->count > 256) throw fail("the quantiser gave no palette");

    // Each colour gets its nearest palette colour: no dithering, which would sprinkle noise
    // over every blended edge (visible on line art, and it deflates badly).
    PaletteChoice choice;
    for (unsigned i = 0; i < palette->count; ++i)
        choice.palette.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    choice.indexOf.assign(colours.size(), 0);
    for (std::size_t n = 0; n < colours.size(); ++n) {
        unsigned best = std::numeric_limits<unsigned>::max();
        for (unsigned i = 0; i < palette->count; ++i) {
            const unsigned distance = distanceSquared(colours[n], palette->entries[i]);
            if (distance < best) {
                best = distance;
                choice.indexOf[n] = static_cast<std::uint8_t>(i);
            }
        }
    }
    return choice;
}

// The mean difference of a sample from its palette colour's, over every sample of the picture.
double meanError(const std::vector<std::uint32_t>& colours, const std::vector<unsigned>& counts,
                 const PaletteChoice& choice)
{
    double total = 0;
    double samples = 0;
    for (std::size_t n = 0; n < colours.size(); ++n) {
        const auto& to = choice.palette[choice.indexOf[n]];
        const int difference = std::abs(static_cast<int>(colours[n] >> 16) - to[0]) +
                               std::abs(static_cast<int>((colours[n] >> 8) & 255) - to[1]) +
                               std::abs(static_cast<int>(colours[n] & 255) - to[2]);
        total += static_cast<double>(counts[n]) * difference;
        samples += 3.0 * counts[n];
    }
    return samples > 0 ? total / samples : 0.0;
}

// choosePaletteOf with maxColours, and twice as many while the mean error is over
// kMostMeanError: a picture with many blends (a colourful drawing shrunk to half) gets the
// colours it needs, up to 256.
PaletteChoice choosePalette(const std::vector<std::uint32_t>& colours, const std::vector<unsigned>& counts,
                            int maxColours, std::string_view name)
{
    maxColours = std::clamp(maxColours, 2, 256);
    PaletteChoice choice = choosePaletteOf(colours, counts, maxColours, name);
    while (maxColours < 256 && meanError(colours, counts, choice) > kMostMeanError) {
        maxColours = std::min(maxColours * 2, 256);
        choice = choosePaletteOf(colours, counts, maxColours, name);
    }
    return choice;
}

}  // namespace

PaletteImage quantizeToPalette(const RgbImage& picture, int maxColours, std::string_view name)
{
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (pixels == 0 || picture.pixels.size() != pixels * 3)
        throw PictureError("cannot reduce the picture " + std::string(name) + " to a palette: it has no pixels");
    // Every pixel's colour number, found once: runs of one colour (the paper) skip the table.
    ColourTable table;
    std::vector<std::uint32_t> numberOf(pixels);
    std::uint32_t lastColour = colourAt(picture.pixels.data());
    std::uint32_t lastNumber = table.find(lastColour);
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint32_t colour = colourAt(picture.pixels.data() + i * 3);
        if (colour != lastColour) {
            lastColour = colour;
            lastNumber = table.find(colour);
        }
        ++table.counts[lastNumber];
        numberOf[i] = lastNumber;
    }
    const PaletteChoice choice = choosePalette(table.colours, table.counts, maxColours, name);
    PaletteImage out{picture.width, picture.height, choice.palette, std::vector<std::uint8_t>(pixels)};
    for (std::size_t i = 0; i < pixels; ++i) out.indices[i] = choice.indexOf[numberOf[i]];
    return out;
}

PaletteImage quantizeToPalette(const GreyImage& picture, int maxColours, std::string_view name)
{
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (pixels == 0 || picture.pixels.size() != pixels)
        throw PictureError("cannot reduce the picture " + std::string(name) + " to a palette: it has no pixels");
    // Four counts per grey, summed afterwards: one count per grey would wait on its own last
    // increment through every run of paper.
    std::array<std::array<unsigned, 256>, 4> partial{};
    std::size_t i = 0;
    for (; i + 4 <= pixels; i += 4)
        for (std::size_t k = 0; k < 4; ++k) ++partial[k][picture.pixels[i + k]];
    for (; i < pixels; ++i) ++partial[0][picture.pixels[i]];
    std::array<unsigned, 256> histogram{};
    for (std::size_t grey = 0; grey < 256; ++grey)
        histogram[grey] = partial[0][grey] + partial[1][grey] + partial[2][grey] + partial[3][grey];
    std::vector<std::uint32_t> colours;
    std::vector<unsigned> counts;
    for (std::uint32_t grey = 0; grey < 256; ++grey) {
        if (histogram[grey] == 0) continue;
        colours.push_back(grey * 0x010101u);
        counts.push_back(histogram[grey]);
    }
    const PaletteChoice choice = choosePalette(colours, counts, maxColours, name);
    std::array<std::uint8_t, 256> indexOfGrey{};
    for (std::size_t n = 0; n < colours.size(); ++n) indexOfGrey[colours[n] & 255] = choice.indexOf[n];
    PaletteImage out{picture.width, picture.height, choice.palette, std::vector<std::uint8_t>(pixels)};
    for (std::size_t p = 0; p < pixels; ++p) out.indices[p] = indexOfGrey[picture.pixels[p]];
    return out;
}

}  // namespace vellumar
