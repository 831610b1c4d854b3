#include "tables/table_picture.h"

#include <string>

#include "pixels/fit_to_box.h"
#include "tables/table_drawing.h"
#include "tables/table_layout.h"

namespace vellumar {

PngWriteOptions tablePngOptions()
{
    PngWriteOptions options;
    options.compressionLevel = 7;
    options.filter = PngRowFilter::Sub;
    options.maxIdatBytes = 65535;
    return options;
}

RgbImage fitTablePicture(const RgbImage& bitmap, int maxWidth, int maxHeight)
{
    const PictureSize fitted = fitToBox(bitmap.width, bitmap.height, maxWidth, maxHeight);
    return scaleAreaAverage(bitmap, fitted.width, fitted.height);
}

std::optional<RgbImage> renderTableImage(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError,
                                         const TableWarningHandler& onWarning)
{
    const std::optional<RgbImage> bitmap = renderTableBitmap(tableHtml, options, measurer, onError, onWarning);
    if (!bitmap) return std::nullopt;
    return fitTablePicture(*bitmap, options.maxWidth, options.maxHeight);
}

std::optional<RgbImage> renderTableBitmap(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError,
                                         const TableWarningHandler& onWarning)
{
    TableGrid grid;
    const TableLineColour colour = buildTableGrid(tableHtml, options.tableBorder, grid, onError, onWarning);
    if (grid.columnCount() == 0 || grid.rowCount() == 0) return std::nullopt;
    const TextSize size = layoutTable(grid, measurer, options.maxWidth);
    const long long bitmapWidth = static_cast<long long>(size.width) + 4;
    const long long bitmapHeight = static_cast<long long>(size.height) + 4;
    if (bitmapWidth * bitmapHeight > kMaxTableBitmapPixels)
        throw TableTooLargeError("the table is too large to draw as a picture (" + std::to_string(bitmapWidth) +
                                 " x " + std::to_string(bitmapHeight) + " pixels)");
    return drawTableBitmap(grid, size.width, size.height, colour, measurer);
}

std::string renderTablePicture(std::string_view tableHtml, const std::filesystem::path& file,
                               const ConversionOptions& options, const TextMeasurer& measurer,
                               const HtmlErrorHandler& onError, const TableWarningHandler& onWarning)
{
    const std::optional<RgbImage> picture = renderTableImage(tableHtml, options, measurer, onError, onWarning);
    if (!picture) return {};
    writePng(*picture, file, tablePngOptions());
    return file.string();
}

}  // namespace vellumar
