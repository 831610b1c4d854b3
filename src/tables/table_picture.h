#pragma once
// One table's HTML as a picture: grid, layout, drawing, fitting into the picture box, PNG.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "html/tokenizer.h"
#include "pixels/png_codec.h"
#include "tables/table_grid.h"
#include "tables/table_grid_builder.h"
#include "tables/text_measurer.h"

namespace vellumar {

// How table pictures are encoded: RGB, 8 bits, Sub filter on every row, deflate level 7,
// image data in chunks of at most 65535 bytes.
PngWriteOptions tablePngOptions();

// The finished picture of the first table rows in tableHtml (all tables' rows as one table),
// or nothing when the HTML holds no row with a "td" cell. Reads MaxWidth, MaxHeight and
// TableBorder. Tokenizer problems go to onError, odd span values to onWarning. Throws
// TableTooLargeError for a table too large to draw (its grid, spans or bitmap), before the
// bitmap is made.
std::optional<RgbImage> renderTableImage(std::string_view tableHtml, const ConversionOptions& options,
                                         const TextMeasurer& measurer, const HtmlErrorHandler& onError = {},
                                         const TableWarningHandler& onWarning = {});

// renderTableImage without its last step: the drawn bitmap before it is fitted into the box,
// so that fitting and encoding (fitTablePicture, encodePng) may run on another thread.
std::optional<RgbImage> renderTableBitmap(std::string_view tableHtml, const ConversionOptions& options,
                                          const TextMeasurer& measurer, const HtmlErrorHandler& onError = {},
                                          const TableWarningHandler& onWarning = {});

// A drawn table bitmap fitted into maxWidth x maxHeight with area averaging (also when it
// already fits).
RgbImage fitTablePicture(const RgbImage& bitmap, int maxWidth, int maxHeight);

// renderTableImage written as a PNG file (replacing a file of that name). Returns the file's
// name as given, or an empty text when there was no table cell and nothing was written.
// Throws PictureError naming the file when it cannot be written.
std::string renderTablePicture(std::string_view tableHtml, const std::filesystem::path& file,
                               const ConversionOptions& options, const TextMeasurer& measurer,
                               const HtmlErrorHandler& onError = {}, const TableWarningHandler& onWarning = {});

}  // namespace vellumar
