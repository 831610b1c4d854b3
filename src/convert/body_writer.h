#pragma once
// The body writer: one forward walk over the tokenizer's items that writes the FB2 body
// through a fixed tag mapping, then wraps it in the document frame.

#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/picture_sink.h"
#include "base/text_pieces.h"
#include "base/user_interaction.h"

namespace vellumar {

// Whoever answers the conversion's questions and embeds its pictures.
struct ConversionServices {
    UserInteraction& user;
    PictureSink& pictures;
    TablePictureSink& tablePictures;
};

struct Fb2Document {
    // The whole book, CR LF line ends, in the pieces it was made in: the header, the body, the
    // binary elements and the closing tags. A book is written straight from them.
    TextPieces pieces;
    std::optional<std::string> proposedFileName;  // from the book-info answers, if any
    bool bodySeen = false;                         // false when the source had no "body" tag

    // The whole book in one text.
    std::string text() const { return joinPieces(pieces); }
};

// The FB2 text of one lower-case tag name, possibly empty.
std::string_view mapTag(std::string_view name, int titleLevel, bool& paragraphOpen);
// The FB2 text of "h1".."h6" and "/h1".."/h6" for the 0-based title level.
std::string_view mapHeading(std::string_view name, int titleLevel);
// The value between double quotes, unchanged.
std::string quoteValue(std::string_view value);

// Tokenizes `sourceText` (the source editor's lines joined by CR LF; moved into the tokenizer,
// not copied) and writes the book; tokenizer problems go to services.user. nullopt when the
// text gives no items at all. Tables are kept (AsIs), reduced to their content, or, when
// "Convert to image" is set, handed to the table sink as pictures.
std::optional<Fb2Document> writeBook(std::string sourceText, const ConversionOptions& options,
                                     ConversionServices& services);

}  // namespace vellumar
