#pragma once
// The program's messages that language files word: the questions and errors of the window's
// commands, the texts of the Check FB2 panel, and the forms in which the converter words its own
// errors and warnings. One row per message: its key in the language files' "Messages" section
// and its English text, the built-in default.
//
// "%1", "%2", ... in a text stand for what the message names (a file, a count, a reason); a
// language may put them in another order. Texts that the program's description fixes word for
// word (" не конвертирован.", "The End", the tokenizer's messages, the file dialogs' titles and
// filters) are not here: they are the same in every language.

#include <cstddef>
#include <span>

namespace vellumar {

enum class MessageId {
    // The window's own messages.
    UnsavedSource,
    UnsavedBook,
    ReplaceFile,
    CannotOpen,
    NotOpened,
    NoBookViewer,
    ShownAsWindows1251,
    MoreProblem,
    MoreProblems,
    MoreWarnings,
    LibreOfficeSaving,
    HelpUnreadable,
    CheckLine,
    CheckKind,
    CheckProblem,
    CheckError,
    CheckWarning,
    CheckCloseList,
    CheckNotWellFormed,
    CheckSchemaNotUsed,
    CheckValid,
    CheckValidWithWarnings,
    CheckInvalid,
    CheckCounts,
    CheckOneError,
    CheckErrors,
    CheckOneWarning,
    CheckWarnings,
    // How the converter words its errors and warnings (English only, it has no window).
    FileCannotRead,
    FileCannotWrite,
    FileCannotCreateFolder,
    FileNotRegular,
    FileTooLargeForBook,
    FileTooLargeForSettings,
    FileFifoUnread,
    FileChanged,
    FileForeignLink,
    FileLinkTo,
    FileNeverWritten,
    FileWrittenWhenNamed,
    FileKindBlockDevice,
    FileKindCharacterDevice,
    FileKindFifo,
    FileKindSocket,
    FileCannotMakeTemporaryFolder,
    EncodingUnknown,
    EncodingUnknownInMeta,
    PictureCannotDecode,
    PictureCannotRead,
    PictureCannotWrite,
    PictureCannotEncodeJpeg,
    PictureCannotEncodePng,
    PictureNotGif,
    PictureNotJpeg,
    PictureNotPng,
    PictureJpegNoData,
    PictureJpegHeaderDamaged,
    PictureJpegCutShort,
    PicturePngHeaderDamaged,
    PicturePngUnknownKind,
    PicturePngCutShort,
    PicturePngChunkDamaged,
    PicturePngNoData,
    PictureGifDamaged,
    PictureNoPixels,
    PictureTooLarge,
    PictureBase64Damaged,
    PictureGone,
    PictureFileTooLarge,
    OutOfMemory,
    PictureCompressorFailed,
    PictureLeftOut,
    PictureNoFile,
    PictureIsFolder,
    PictureNotRegular,
    PictureNoExtension,
    PictureKindNotEmbedded,
    PictureTooLargeForBook,
    PictureOutsideDocument,
    TableWrittenAsText,
    TableSpanNotNumber,
    TableTooLarge,
    TableTooLargeGrid,
    TableSpansOverlap,
    FontCannotLookUp,
    FontNotInstalled,
    FontLibraryNotStarted,
    FontCannotLoad,
    FontCannotSize,
    OfficeNotADocument,
    OfficeNotThatKind,
    OfficeKindDoc,
    OfficeKindRtf,
    OfficeKindDocx,
    OfficeKindOdt,
    OfficeNotAFile,
    OfficeCannotRead,
    OfficeTooLarge,
    OfficeNotInstalled,
    OfficeTimeLimit,
    OfficeCannotRun,
    OfficeCannotStart,
    OfficeCannotMakePipe,
    OfficeStopped,
    OfficeWroteNoHtml,
    OfficeFailedWith,
    CheckSchemaMissing,
    CheckSchemaUnreadable,
    CheckSchemaProblem,
    CheckBookTooLarge,
    CheckNotXml,
    CheckEntitiesNotReplaced,
    CheckTooManyEntities,
    CheckEntitiesTooLarge,
    CheckUnknownProblem,
    CheckNoGenre,
    CheckNoAuthor,
};

// What a message is: a text the window shows, or the form of a text the converter gives.
enum class MessageUse { Window, ConverterForm };

struct MessageRow {
    MessageId id;
    const char* key;      // in the "Messages" section of a language file
    const char* english;  // UTF-8; "\n" is a line break
    MessageUse use;
    // Of a converter form: the number of its detail that says why ("cannot read '%1': %2" has
    // 2), which may be a converter text of a known form itself; 0 for none. The other details
    // are names (files, pictures) and numbers, shown as they are.
    int reasonDetail = 0;
};

// Every message, in the order of MessageId.
std::span<const MessageRow> messageRows();
const MessageRow& messageRow(MessageId id);

}  // namespace vellumar
