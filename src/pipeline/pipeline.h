#pragma once
// The conversion pipeline: the one way from a source document to a book, called by the
// window and by vellumar-convert alike.
//
// Open a source (read, find its encoding, turn it into windows-1251, clean it):
//     LoadedSource source = loadSource(SourceFile{path}, LoadOptions{}, options, user);
//     // the source page shows source.text; keep source.folder for the pictures
// Text typed by hand is converted as it stands (LoadOptions{.clean = false} for a file).
// A word-processor document (.doc, .rtf, .docx, .odt) is saved as HTML by LibreOffice first,
// beside it, and that HTML is loaded; LoadOptions::libreOffice says how LibreOffice runs (a
// window keeps repainting meanwhile). The documents of a whole run share one LibreOffice start:
//     SourceBatch sources(paths);                       // "-" is standard input
//     LoadedSource source = loadSource(sources.source(i), load, options, user);
// Convert the source page's text into a book:
//     std::optional<Fb2Document> book =
//         convertSource(source.takeEditorText(), options, source.folder, user);
//     // book->text() is the whole book (CR LF line ends); book->proposedFileName, when the
//     // book-info answers propose one, is the name to save it under (windows-1251)
// Or list what the tokenizer makes of it, one JSON line per item:
//     std::string items = sourceItemList(source.takeEditorText(), user);
// The text is moved into the conversion, not copied (editorText() gives a copy instead).
// `options` is a ConversionOptions snapshot, copied into the conversion; `user` answers the
// book-info question and takes warnings and tokenizer problems (dialogs in the window, flags
// and stderr on the command line). Failures throw exceptions whose message names the file or
// the problem (DocumentConversionError when LibreOffice cannot save a document); nothing is
// written anywhere but a document's HTML and the book's temporary pictures, which are
// removed again.

#include "pipeline/book_conversion.h"
#include "pipeline/item_list.h"
#include "pipeline/source_loading.h"
