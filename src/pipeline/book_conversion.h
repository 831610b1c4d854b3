#pragma once
// Converting a source text into a book: the picture and table-picture embedders made for this
// one conversion, with the options it was given.

#include <filesystem>
#include <optional>
#include <string>

#include "base/conversion_options.h"
#include "base/user_interaction.h"
#include "convert/body_writer.h"

namespace vellumar {

// Converts `sourceText` (the source editor's lines joined by CR LF, as LoadedSource::editorText
// gives it; moved into the tokenizer, not copied) into a book. `options` is this conversion's
// own copy. Relative picture paths start at `pictureFolder` (empty: the current folder).
// Questions, warnings and tokenizer problems go to `user`. nullopt when the text holds no HTML
// items at all. With OutputEncoding::Utf8 the book is in UTF-8 (proposedFileName stays
// windows-1251). Throws (PictureError, ...) with a message naming the picture or table when one
// cannot be embedded.
std::optional<Fb2Document> convertSource(std::string sourceText, ConversionOptions options,
                                         const std::filesystem::path& pictureFolder, UserInteraction& user);

}  // namespace vellumar
