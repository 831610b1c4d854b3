#pragma once
// Converting a source text into a book: the picture and table-picture embedders made for this
// one conversion, with the options it was given.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "convert/body_writer.h"
#include "html/tokenizer.h"

namespace vellumar {

// Converts `sourceText` (the source editor's lines joined by CR LF, as LoadedSource::editorText
// gives it) into a book, tokenized with `parser`, whose items stay there for inspection.
// `options` is this conversion's own copy. Relative picture paths start at `pictureFolder`
// (empty: the current folder). Questions and warnings go to `user`. nullopt when the text
// holds no HTML items at all. Throws (PictureError, ...) with a message naming the picture or
// table when one cannot be embedded.
std::optional<Fb2Document> ConvertSource(std::string sourceText, ConversionOptions options,
                                         const std::filesystem::path& pictureFolder, UserInteraction& user,
                                         THTMLParser& parser);

// Only tokenizes `sourceText` with `parser` (the item list); problems go to `user`.
void TokenizeSource(std::string_view sourceText, UserInteraction& user, THTMLParser& parser);

}  // namespace vellumar
