#pragma once
// A complete book: the source's footnotes as notes, its chapters as nested sections, its links,
// a cover, the metadata the source gives, and a book that passes the FB2 schema.

#include <optional>
#include <string>

#include "base/conversion_options.h"
#include "convert/body_writer.h"

namespace vellumar {

// writeBook's work when options.complete is set (see writeBook).
std::optional<Fb2Document> writeCompleteBook(std::string sourceText, const ConversionOptions& options,
                                             ConversionServices& services);

}  // namespace vellumar
