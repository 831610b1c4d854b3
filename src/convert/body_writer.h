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
#include "html/tokenizer.h"

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
    std::string text() const { return JoinPieces(pieces); }
};

// The FB2 text of one lower-case tag name, possibly empty.
std::string MapTag(std::string_view name, int titleLevel, bool& paragraphOpen);
// The FB2 text of "h1".."h6" and "/h1".."/h6" for the 0-based title level.
std::string MapHeading(std::string_view name, int titleLevel);
// The value between double quotes, unchanged.
std::string QuoteValue(std::string_view value);

// Tokenizes `sourceText` (the source editor's lines joined by CR LF) with `parser` and writes
// the book. nullopt when the text gives no items at all. Tables: the plain walk keeps them
// (AsIs) or reduces them to their content; the picture walk hands each to the table sink.
std::optional<Fb2Document> WriteFb2Plain(THTMLParser& parser, std::string_view sourceText,
                                         const ConversionOptions& options, ConversionServices& services);
std::optional<Fb2Document> WriteFb2WithTablePictures(THTMLParser& parser, std::string_view sourceText,
                                                     const ConversionOptions& options,
                                                     ConversionServices& services);
// The walk that the options choose: pictures of tables when "Convert to image" is set.
std::optional<Fb2Document> ConvertToFb2(THTMLParser& parser, std::string_view sourceText,
                                        const ConversionOptions& options, ConversionServices& services);
// The same for the text `parser` holds in its Buffer already (moved there, not copied).
std::optional<Fb2Document> ConvertParserText(THTMLParser& parser, const ConversionOptions& options,
                                             ConversionServices& services);

}  // namespace vellumar
