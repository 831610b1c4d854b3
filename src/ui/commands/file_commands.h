#pragma once
// The main window's file commands: new, open and save of the source HTML and the FB2 document,
// convert (F9) and View FB2. The object keeps what the window's file dialogs remember between
// commands. Every question goes through CommandDialogs, so tests answer them without a person.
//
// Unsaved work is never thrown away without a question: New, Open, Open FB2 file, convert (for
// the FB2 document) and closing the window ask Save / Discard / Cancel while an editor holds
// changes not saved since the program last loaded, made or saved its text. Every save writes a
// temporary file beside the target and renames it over the target, so a failed save leaves the
// old file as it was.

#include <QObject>
#include <QString>

#include <string>
#include <string_view>

#include "ui/commands/book_encoding.h"

namespace vellumar {

class CodeEditor;
class CommandDialogs;
class MainWindow;

class FileCommands : public QObject {
    Q_OBJECT

public:
    FileCommands(MainWindow& window, CommandDialogs& dialogs);

    // Act_NewHTMLDoc: after the unsaved-changes question, clearSourceDocument.
    void newSourceDocument();
    // Empties the source editor, sourceFileName and the name a source save writes to.
    void clearSourceDocument();

    // Act_NewFB2Doc: after the unsaved-changes question, clearFb2Document.
    void newFb2Document();
    // Empties the FB2 editor, fb2FileName and the proposed FB2 name; table pictures start again
    // at table1.png.
    void clearFb2Document();
    // A book the converter made replaces the FB2 document: in windows-1251 it is shown in the
    // character set, in UTF-8 as a UTF-8 book file is.
    void setConvertedBook(std::string_view text);
    // Act_openFB2: asks for an FB2 file (.fb2 or .fb2.zip) and loads it as it is into the FB2
    // editor; a zipped book shows the book inside.
    void openFb2File();
    // Loads the FB2 file at `path` as Open FB2 file does once a file is chosen; false after
    // showing why it could not be read.
    bool loadFb2File(const QString& path);

    // A file named on the program's command line: an .fb2 opens on the "FB2" page with its path
    // in the caption, a source document on the "Source" page; any other kind is refused with a
    // message naming the file.
    // True when the file was opened.
    bool openFile(const QString& path);
    // What openFile makes of a file, by its extension.
    enum class FileKind { Book, Source, Other };
    static FileKind kindOf(const QString& path);
    // Says that `files` (named on the command line) were not opened, as the window already shows
    // a document of their kind.
    void reportNotOpened(const QStringList& files);

    // Act_SaveResultAs, Act_SaveResult. True when the FB2 document was written.
    bool saveFb2As();
    bool saveFb2();
    // Act_SaveSourceHTMLAs, Act_SaveSourceHTML. True when the source was written.
    bool saveSourceHtmlAs();
    bool saveSourceHtml();

    // Act_SaveAndView: saves first when the FB2 document has no file yet, then viewFile.
    void viewFb2();
    // Asks the desktop to open the file; says so when the file is missing or no program is set
    // for it.
    void viewFile(const QString& path);

    // Closing the window: false when the user cancelled an unsaved-changes question.
    bool mayClose();
    // The unsaved-changes question for one editor: true when its text may be replaced now
    // (nothing unsaved, saved, or discarded).
    bool maySourceBeReplaced();
    bool mayFb2BeReplaced();

    // The file name the next FB2 save offers (the save dialog's remembered name): a proposed
    // bare name until a save chose a path; empty when none.
    const QString& fb2SaveName() const { return m_fb2SaveName; }
    void setFb2SaveName(const QString& name) { m_fb2SaveName = name; }
    // The file "Save source HTML" writes to without asking; empty when it asks.
    const QString& sourceSaveName() const { return m_sourceSaveName; }

    // The folder of the last opened source document; relative pictures are found from here and
    // the FB2 save dialog starts here. Empty before an open: the current folder then.
    const QString& documentFolder() const { return m_documentFolder; }
    void setDocumentFolder(const QString& folder) { m_documentFolder = folder; }

    // The source document the source page shows (the opened file), empty for typed text.
    const QString& sourceDocument() const { return m_sourceDocument; }
    void setSourceDocument(const QString& path) { m_sourceDocument = path; }

    // The encoding a source save writes (a charset name, "windows-1251" for typed text) and
    // whether it starts with a byte-order mark: an opened page is saved as it was read.
    void setSourceEncoding(const std::string& encoding, bool byteOrderMark);
    const std::string& sourceEncoding() const { return m_sourceEncoding; }

    // The FB2 editor's lines, each ended by CR LF, as the book's file holds them: in the
    // encoding the book was read in.
    std::string fb2FileBytes() const;

private:
    bool mayReplace(CodeEditor& editor, const QString& question, bool (FileCommands::*save)());
    // Writes `bytes` to `path`; false after showing the error.
    bool writeFile(const std::string& bytes, const QString& path);
    // Writes the FB2 document to `path`, zipped when the name ends in ".fb2.zip".
    bool writeFb2File(const QString& path);
    // The source editor's lines as its file holds them.
    std::string sourceFileBytes() const;
    // Asks for the name a save writes; the chosen name with its extension rule applied, or empty
    // when cancelled. `chosen` receives the name as the user chose it.
    QString askSaveName(std::string_view dialog, const QString& proposed, QString (*rule)(const QString&),
                        QString& chosen);
    void setCaption(const QString& caption);
    void setDocumentCaption(const QString& name);

    MainWindow& m_window;
    CommandDialogs& m_dialogs;
    QString m_fb2SaveName;     // what the FB2 save dialog ("SD") remembers
    QString m_sourceSaveName;  // what the source save dialog ("SDSource") remembers
    QString m_fb2OpenFolder;   // where "Open FB2 file..." starts
    QString m_documentFolder;
    QString m_sourceDocument;
    BookEncoding m_fb2Encoding;
    std::string m_sourceEncoding = "windows-1251";
    bool m_sourceByteOrderMark = false;
};

}  // namespace vellumar
