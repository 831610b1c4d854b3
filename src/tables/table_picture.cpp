#include "tables/table_picture.h"

#include <cmath>

#include "tables/table_drawing.h"
#include "tables/table_layout.h"

namespace vellumar {

namespace {

// Fits width x height into the box without enlarging; a side computed from the box is rounded
// halves to even. The box and the result are at least 1 x 1.
PictureSize fitIntoBox(int width, int height, int maxWidth, int maxHeight)
{
    maxWidth = std::max(maxWidth, 1);
    maxHeight = std::max(maxHeight, 1);
    const auto scaled = [](double limit, int own, int other) {
        return std::max(1, static_cast<int>(std::nearbyint(limit / own * other)));
    };
    if (width <= maxWidth && height <= maxHeight) return {width, height};
    if (width <= maxWidth) return {scaled(maxHeight, height, width), maxHeight};
    if (height <= maxHeight) return {maxWidth, scaled(maxWidth, width, height)};
    if (static_cast<double>(height) / maxHeight > static_cast<double>(width) / maxWidth)
        return {scaled(maxHeight, height, width), maxHeight};
    return {maxWidth, scaled(maxWidth, width, height)};
}

}  // namespace

PngWriteOptions TablePngOptions()
{
    PngWriteOptions options;
    options.compressionLevel = 7;
    options.filter = PngRowFilter::Sub;
    options.maxIdatBytes = 65535;
    return options;
}

RgbImage DrawTable(const TableGrid& grid, int width, int height, TableLineColour colour,
                   const TextMeasurer& measurer, int maxWidth, int maxHeight)
{
    const RgbImage bitmap = DrawTableBitmap(grid, width, height, colour, measurer);
    const PictureSize fitted = fitIntoBox(bitmap.width, bitmap.height, maxWidth, maxHeight);
    return ScaleAreaAverage(bitmap, fitted.width, fitted.height);
}

std::optional<RgbImage> RenderTableImage(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError)
{
    TableGrid grid;
    const TableLineColour colour = BuildTableGrid(tableHtml, options.tableBorder, grid, onError);
    if (grid.ColumnCount() == 0 || grid.RowCount() == 0) return std::nullopt;
    const TextSize size = LayoutTable(grid, measurer, options.MaxWidth);
    return DrawTable(grid, size.width, size.height, colour, measurer, options.MaxWidth, options.MaxHeight);
}

std::string RenderTablePicture(std::string_view tableHtml, const std::filesystem::path& file,
                               const ConversionOptions& options, const TextMeasurer& measurer,
                               const HtmlErrorHandler& onError)
{
    const std::optional<RgbImage> picture = RenderTableImage(tableHtml, options, measurer, onError);
    if (!picture) return {};
    WritePng(*picture, file, TablePngOptions());
    return file.string();
}

}  // namespace vellumar
