#include "tables/table_picture.h"

#include <string>

#include "pixels/fit_to_box.h"
#include "tables/table_drawing.h"
#include "tables/table_layout.h"

namespace vellumar {

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
    return FitTablePicture(DrawTableBitmap(grid, width, height, colour, measurer), maxWidth, maxHeight);
}

RgbImage FitTablePicture(const RgbImage& bitmap, int maxWidth, int maxHeight)
{
    const PictureSize fitted = FitToBox(bitmap.width, bitmap.height, maxWidth, maxHeight);
    return ScaleAreaAverage(bitmap, fitted.width, fitted.height);
}

std::optional<RgbImage> RenderTableImage(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError,
                                         const TableWarningHandler& onWarning)
{
    const std::optional<RgbImage> bitmap = RenderTableBitmap(tableHtml, options, measurer, onError, onWarning);
    if (!bitmap) return std::nullopt;
    return FitTablePicture(*bitmap, options.MaxWidth, options.MaxHeight);
}

std::optional<RgbImage> RenderTableBitmap(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError,
                                         const TableWarningHandler& onWarning)
{
    TableGrid grid;
    const TableLineColour colour = BuildTableGrid(tableHtml, options.tableBorder, grid, onError, onWarning);
    if (grid.ColumnCount() == 0 || grid.RowCount() == 0) return std::nullopt;
    const TextSize size = LayoutTable(grid, measurer, options.MaxWidth);
    const long long bitmapWidth = static_cast<long long>(size.width) + 4;
    const long long bitmapHeight = static_cast<long long>(size.height) + 4;
    if (bitmapWidth * bitmapHeight > kMaxTableBitmapPixels)
        throw TableTooLargeError("the table is too large to draw as a picture (" + std::to_string(bitmapWidth) +
                                 " x " + std::to_string(bitmapHeight) + " pixels)");
    return DrawTableBitmap(grid, size.width, size.height, colour, measurer);
}

std::string RenderTablePicture(std::string_view tableHtml, const std::filesystem::path& file,
                               const ConversionOptions& options, const TextMeasurer& measurer,
                               const HtmlErrorHandler& onError, const TableWarningHandler& onWarning)
{
    const std::optional<RgbImage> picture = RenderTableImage(tableHtml, options, measurer, onError, onWarning);
    if (!picture) return {};
    WritePng(*picture, file, TablePngOptions());
    return file.string();
}

}  // namespace vellumar
