#include "ui/settings/message_table.h"

#include <array>

namespace vellumar {

namespace {

using enum MessageId;
constexpr MessageUse W = MessageUse::Window;
// Forms are tried in the order of the rows: a form that a wider one would also match (a
// particular reason of "cannot read it: %1") comes before it. The number after a form is its
// detail that is a reason, worded as a converter text itself; other details are names.
constexpr MessageUse C = MessageUse::ConverterForm;

constexpr std::array kRows = {
    MessageRow{UnsavedSource, "UnsavedSource",
               "The source HTML has changes that are not saved.\nDo you want to save them?", W},
    MessageRow{UnsavedBook, "UnsavedBook",
               "The FB2 document has changes that are not saved.\nDo you want to save them?", W},
    MessageRow{ReplaceFile, "ReplaceFile", "%1 already exists.\nDo you want to replace it?", W},
    MessageRow{CannotOpen, "CannotOpen",
               "%1 cannot be opened: Vellumar opens FB2 books (.fb2) and source documents "
               "(.htm, .html, .doc, .rtf, .docx, .odt).",
               W},
    MessageRow{NotOpened, "NotOpened",
               "The window holds one source document and one FB2 book at a time, so these files were not opened:\n%1",
               W},
    MessageRow{NoBookViewer, "NoBookViewer",
               "No program is set to open FB2 files on this desktop, so %1 cannot be shown.", W},
    MessageRow{ShownAsWindows1251, "ShownAsWindows1251", "%1: %2 in its XML declaration; it is shown as windows-1251.",
               W},
    MessageRow{MoreProblem, "MoreProblem", "1 more problem in the HTML", W},
    MessageRow{MoreProblems, "MoreProblems", "%1 more problems in the HTML", W},
    MessageRow{MoreWarnings, "MoreWarnings", "... and %1 more.", W},
    MessageRow{LibreOfficeSaving, "LibreOfficeSaving", "LibreOffice is saving %1 as HTML...", W},
    MessageRow{HelpUnreadable, "HelpUnreadable", "%1: %2", W},
    MessageRow{CheckLine, "CheckLine", "Line", W},
    MessageRow{CheckKind, "CheckKind", "Kind", W},
    MessageRow{CheckProblem, "CheckProblem", "Problem", W},
    MessageRow{CheckError, "CheckError", "error", W},
    MessageRow{CheckWarning, "CheckWarning", "warning", W},
    MessageRow{CheckCloseList, "CheckCloseList", "Close the list", W},
    MessageRow{CheckNotWellFormed, "CheckNotWellFormed", "The FB2 text is not well-formed XML: %1", W},
    MessageRow{CheckSchemaNotUsed, "CheckSchemaNotUsed",
               "The FB2 text is well-formed; it could not be checked against the FB2 schema: %1", W},
    MessageRow{CheckValid, "CheckValid", "The FB2 text is well-formed and valid FB2.", W},
    MessageRow{CheckValidWithWarnings, "CheckValidWithWarnings", "The FB2 text is valid FB2: %1", W},
    MessageRow{CheckInvalid, "CheckInvalid", "The FB2 text is not valid FB2: %1", W},
    MessageRow{CheckCounts, "CheckCounts", "%1, %2.", W},
    MessageRow{CheckOneError, "CheckOneError", "1 error", W},
    MessageRow{CheckErrors, "CheckErrors", "%1 errors", W},
    MessageRow{CheckOneWarning, "CheckOneWarning", "1 warning", W},
    MessageRow{CheckWarnings, "CheckWarnings", "%1 warnings", W},

    MessageRow{FileCannotRead, "FileCannotRead", "cannot read '%1': %2", C, 2},
    MessageRow{FileCannotWrite, "FileCannotWrite", "cannot write '%1': %2", C, 2},
    MessageRow{FileCannotCreateFolder, "FileCannotCreateFolder", "cannot create the folder '%1': %2", C, 2},
    MessageRow{FileNotRegular, "FileNotRegular", "it is not a regular file", C},
    MessageRow{FileTooLargeForBook, "FileTooLargeForBook", "it is larger than %1 bytes, more than any book: not read",
               C},
    MessageRow{FileTooLargeForSettings, "FileTooLargeForSettings", "too large for a settings or language file", C},
    MessageRow{FileFifoUnread, "FileFifoUnread", "it is a FIFO that no program reads from", C},
    MessageRow{FileChanged, "FileChanged", "it changed while it was opened", C},
    MessageRow{FileForeignLink, "FileForeignLink",
               "the symbolic link '%1' belongs to another user in a shared folder, so it is not followed", C},
    MessageRow{FileLinkTo, "FileLinkTo", "it is a link to '%1', which belongs to another user", C},
    MessageRow{FileNeverWritten, "FileNeverWritten", "it is %1, which is never written", C, 1},
    MessageRow{FileWrittenWhenNamed, "FileWrittenWhenNamed", "it is %1, which is written only when named as the output",
               C, 1},
    MessageRow{FileKindBlockDevice, "FileKindBlockDevice", "a block device", C},
    MessageRow{FileKindCharacterDevice, "FileKindCharacterDevice", "a character device", C},
    MessageRow{FileKindFifo, "FileKindFifo", "a FIFO", C},
    MessageRow{FileKindSocket, "FileKindSocket", "a socket", C},
    MessageRow{FileCannotMakeTemporaryFolder, "FileCannotMakeTemporaryFolder",
               "cannot create a temporary folder in %1: %2", C, 2},
    MessageRow{EncodingUnknown, "EncodingUnknown", "unknown character set '%1'", C},
    MessageRow{EncodingUnknownInMeta, "EncodingUnknownInMeta", "%1: unknown character set '%2' in <meta> ignored", C},
    MessageRow{PictureCannotDecode, "PictureCannotDecode", "cannot decode the picture %1: %2", C, 2},
    MessageRow{PictureCannotRead, "PictureCannotRead", "cannot read the picture %1: %2", C, 2},
    MessageRow{PictureCannotWrite, "PictureCannotWrite", "cannot write the picture %1: %2", C, 2},
    MessageRow{PictureCannotEncodeJpeg, "PictureCannotEncodeJpeg", "cannot encode a JPEG picture: %1", C, 1},
    MessageRow{PictureCannotEncodePng, "PictureCannotEncodePng", "cannot encode a PNG picture: %1", C, 1},
    MessageRow{PictureNotGif, "PictureNotGif", "not a GIF file", C},
    MessageRow{PictureNotJpeg, "PictureNotJpeg", "not a JPEG file", C},
    MessageRow{PictureNotPng, "PictureNotPng", "not a PNG file", C},
    MessageRow{PictureJpegNoData, "PictureJpegNoData", "the JPEG holds no picture data", C},
    MessageRow{PictureJpegHeaderDamaged, "PictureJpegHeaderDamaged", "the JPEG header is damaged or cut short", C},
    MessageRow{PictureJpegCutShort, "PictureJpegCutShort", "the JPEG file is cut short", C},
    MessageRow{PicturePngHeaderDamaged, "PicturePngHeaderDamaged", "the PNG header is damaged or cut short", C},
    MessageRow{PicturePngUnknownKind, "PicturePngUnknownKind", "the PNG header names an unknown kind of picture", C},
    MessageRow{PicturePngCutShort, "PicturePngCutShort", "the PNG file is cut short", C},
    MessageRow{PicturePngChunkDamaged, "PicturePngChunkDamaged", "a PNG chunk is damaged (checksum)", C},
    MessageRow{PicturePngNoData, "PicturePngNoData", "the PNG holds no picture data", C},
    MessageRow{PictureGifDamaged, "PictureGifDamaged", "damaged GIF data", C},
    MessageRow{PictureNoPixels, "PictureNoPixels", "the picture has no pixels", C},
    MessageRow{PictureTooLarge, "PictureTooLarge", "the picture is too large (%1 x %2 pixels)", C},
    MessageRow{PictureBase64Damaged, "PictureBase64Damaged", "its base64 text is damaged", C},
    MessageRow{PictureGone, "PictureGone", "it is gone", C},
    MessageRow{PictureFileTooLarge, "PictureFileTooLarge",
               "it is larger than %1 bytes, more than any picture of a book", C},
    MessageRow{OutOfMemory, "OutOfMemory", "out of memory", C},
    MessageRow{PictureCompressorFailed, "PictureCompressorFailed", "the compressor failed", C},
    MessageRow{PictureLeftOut, "PictureLeftOut", "picture '%1' left out: %2", C, 2},
    MessageRow{PictureNoFile, "PictureNoFile", "no file %1", C},
    MessageRow{PictureIsFolder, "PictureIsFolder", "%1 is a folder", C},
    MessageRow{PictureNotRegular, "PictureNotRegular", "%1 is not a regular file", C},
    MessageRow{PictureNoExtension, "PictureNoExtension",
               "its name has no extension; a book takes .jpg, .jpeg, .png and .gif pictures", C},
    MessageRow{PictureKindNotEmbedded, "PictureKindNotEmbedded",
               "pictures named '%1' are not embedded; a book takes .jpg, .jpeg, .png and .gif pictures", C},
    MessageRow{PictureTooLargeForBook, "PictureTooLargeForBook",
               "%1 is larger than %2 bytes, more than any picture of a book", C},
    MessageRow{PictureOutsideDocument, "PictureOutsideDocument", "the document links it from outside its own folder",
               C},
    MessageRow{TableWrittenAsText, "TableWrittenAsText", "%1: %2; written as its text", C, 2},
    MessageRow{TableSpanNotNumber, "TableSpanNotNumber", "%1: table cell %2=\"%3\" is not a whole number; read as %4",
               C},
    MessageRow{TableTooLarge, "TableTooLarge", "the table is too large to draw as a picture (%1 x %2 pixels)", C},
    MessageRow{TableTooLargeGrid, "TableTooLargeGrid",
               "the table is too large to draw as a picture (%1 columns x %2 rows)", C},
    MessageRow{TableSpansOverlap, "TableSpansOverlap",
               "the table's row spans overlap too often to draw it as a picture", C},
    MessageRow{FontCannotLookUp, "FontCannotLookUp", "cannot look up the font \"%1\"", C},
    MessageRow{FontNotInstalled, "FontNotInstalled", "no font is installed for \"%1\"", C},
    MessageRow{FontLibraryNotStarted, "FontLibraryNotStarted", "cannot start the FreeType library", C},
    MessageRow{FontCannotLoad, "FontCannotLoad", "cannot load the font file %1", C},
    MessageRow{FontCannotSize, "FontCannotSize", "cannot size the font %1", C},
    MessageRow{OfficeNotADocument, "OfficeNotADocument",
               "the file is not a word-processor document (.doc, .rtf, .docx or .odt)", C},
    MessageRow{OfficeNotThatKind, "OfficeNotThatKind", "the file is not %1, its content does not match its extension",
               C, 1},
    MessageRow{OfficeKindDoc, "OfficeKindDoc", "a Word 97-2003 document (.doc)", C},
    MessageRow{OfficeKindRtf, "OfficeKindRtf", "an RTF document", C},
    MessageRow{OfficeKindDocx, "OfficeKindDocx", "a Word document (.docx)", C},
    MessageRow{OfficeKindOdt, "OfficeKindOdt", "an OpenDocument text (.odt)", C},
    MessageRow{OfficeNotAFile, "OfficeNotAFile", "cannot read it: it is not a file", C},
    MessageRow{OfficeCannotRead, "OfficeCannotRead", "cannot read it: %1", C, 1},
    MessageRow{OfficeTooLarge, "OfficeTooLarge", "it is larger than %1 bytes, more than any book: not converted", C},
    MessageRow{OfficeNotInstalled, "OfficeNotInstalled",
               "LibreOffice is not installed (neither soffice nor libreoffice was found); install it, on Debian "
               "with: apt-get install libreoffice-writer-nogui",
               C},
    MessageRow{OfficeTimeLimit, "OfficeTimeLimit", "LibreOffice did not finish within %1 seconds and was stopped", C},
    MessageRow{OfficeCannotRun, "OfficeCannotRun", "LibreOffice could not be run: %1", C, 1},
    MessageRow{OfficeCannotStart, "OfficeCannotStart", "cannot start %1: %2", C, 2},
    MessageRow{OfficeCannotMakePipe, "OfficeCannotMakePipe", "cannot make a pipe: %1", C, 1},
    MessageRow{OfficeStopped, "OfficeStopped", "stopped before LibreOffice finished", C},
    MessageRow{OfficeWroteNoHtml, "OfficeWroteNoHtml", "LibreOffice could not convert it (it wrote no HTML)", C},
    MessageRow{OfficeFailedWith, "OfficeFailedWith", "LibreOffice could not convert it (%1)", C},
    MessageRow{CheckSchemaMissing, "CheckSchemaMissing",
               "the FB2 schema %1 is missing; the book was checked for well-formedness only", C},
    MessageRow{CheckSchemaUnreadable, "CheckSchemaUnreadable",
               "the FB2 schema %1 could not be read; the book was checked for well-formedness only", C},
    MessageRow{CheckSchemaProblem, "CheckSchemaProblem", "FB2 schema %1: %2", C},
    MessageRow{CheckBookTooLarge, "CheckBookTooLarge", "the book is too large to check", C},
    MessageRow{CheckNotXml, "CheckNotXml", "the text is not an XML document", C},
    MessageRow{CheckEntitiesNotReplaced, "CheckEntitiesNotReplaced", "the book's entities could not be replaced", C},
    MessageRow{CheckTooManyEntities, "CheckTooManyEntities",
               "the book's DTD declares %1 entities, more than %2; it was not checked further", C},
    MessageRow{CheckEntitiesTooLarge, "CheckEntitiesTooLarge",
               "the book's entities would make it larger than %1 bytes; it was not checked further", C},
    MessageRow{CheckUnknownProblem, "CheckUnknownProblem", "unknown problem", C},
    MessageRow{CheckNoGenre, "CheckNoGenre",
               "title-info has no genre: add one, for example <genre>prose_classic</genre>", C},
    MessageRow{CheckNoAuthor, "CheckNoAuthor",
               "title-info has no author: add <author> with <first-name> and <last-name> (or a <nickname>) after the "
               "genres",
               C},
};

constexpr bool rowsFollowTheIds()
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    return static_cast<std::size_t>(CheckNoAuthor) + 1 == kRows.size();
}
static_assert(rowsFollowTheIds(), "one row per MessageId, in the order of the ids");

}  // namespace

std::span<const MessageRow> messageRows() { return kRows; }

const MessageRow& messageRow(MessageId id) { return kRows[static_cast<std::size_t>(id)]; }

}  // namespace vellumar
