#include "tables/table_drawing.h"

#include <stdexcept>
#include <string>

#include "tables/cell_text.h"
#include "tables/pixel_painting.h"

namespace vellumar {

namespace {

// A cell's text as drawn: a white box as wide as its widest line and as high as its lines,
// the lines in black on it. The box covers whatever lies under it, lines included.
void drawCellText(RgbImage& image, int x, int y, const std::string& text, const TextMeasurer& measurer)
{
    const std::vector<std::string_view> lines = splitTextLines(text);
    std::vector<TextSize> sizes;
    sizes.reserve(lines.size());
    PixelRect box{x, y, 0, 0};
    for (std::string_view line : lines) {
        sizes.push_back(measurer.measureLine(line));
        box.width = std::max(box.width, sizes.back().width);
        box.height += sizes.back().height;
    }
    fillRect(image, box, 255);
    int top = y;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        measurer.drawLine(image, x, top, lines[i], box);
        top += sizes[i].height;
    }
}

}  // namespace

RgbImage drawTableBitmap(const TableGrid& grid, int width, int height, TableLineColour colour,
                         const TextMeasurer& measurer)
{
    const long long bitmapWidth = static_cast<long long>(width) + 4;
    const long long bitmapHeight = static_cast<long long>(height) + 4;
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || bitmapWidth * bitmapHeight > kMaxTableBitmapPixels)
        throw std::runtime_error("the table is too large to draw as a picture (" + std::to_string(bitmapWidth) +
                                 " x " + std::to_string(bitmapHeight) + " pixels)");

    RgbImage image(static_cast<int>(bitmapWidth), static_cast<int>(bitmapHeight), 255);
    const std::uint8_t ink = colour == TableLineColour::Black ? 0 : 255;

    horizontalLine(image, 2, 2, width, ink);
    int y = 2;
    for (int row = 1; row <= grid.rowCount(); ++row) {
        int x = 2;
        for (int column = 1; column <= grid.columnCount(); ++column) {
            const TableCell& cell = grid.at(column, row);
            if (cell.hasLeftEdge != 0) verticalLine(image, x, y, cell.height, ink);
            if (!cell.text.empty()) drawCellText(image, x + 2, y + 1, cell.wrappedText, measurer);
            if (cell.hasTopEdge != 0) horizontalLine(image, x, y, cell.width, ink);
            x += cell.width;
        }
        const int rowHeight = grid.at(1, row).height;
        verticalLine(image, x, y, rowHeight, ink);
        y += rowHeight;
    }
    horizontalLine(image, 2, height + 2, width, ink);
    return image;
}

}  // namespace vellumar
