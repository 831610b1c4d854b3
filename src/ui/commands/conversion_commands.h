#pragma once
// Opening a source document into the source editor (Open..., Ctrl+O) and convert (F9): thin
// callers of the core's pipeline, which loads a source (decoding, windows-1251, cleaning) and
// converts a text into a book. The window adds its dialogs, the busy cursor and its captions.

#include <QObject>
#include <QString>

namespace vellumar {

class CommandDialogs;
class CommandInteraction;
class FileCommands;
class MainWindow;

class ConversionCommands : public QObject {
    Q_OBJECT

public:
    ConversionCommands(MainWindow& window, FileCommands& files, CommandDialogs& dialogs);

    // Act_OpenSource: after the unsaved-changes question, asks for a source document and loads
    // it into the source editor; the caption then names the source ("Vellumar : New").
    void openSourceDocument();
    // The same once the document is chosen: `path` loaded into the emptied source editor, the
    // caption naming the source. The next open dialog starts in its folder.
    void openSourceFile(const QString& path);

    // Loads the document at `path`, decoded and cleaned, into the (emptied) source editor when
    // its extension (in any letter case) names HTML (".htm", ".html") or a word-processor
    // document (".doc", ".rtf", ".docx", ".odt"), which LibreOffice saves as HTML beside it
    // first; any other kind loads nothing. True when a document was loaded; false also after
    // telling the user that a word-processor document could not be converted, and why.
    bool loadSourceDocument(const QString& path, CommandInteraction& user);

    // Act_Convert: converts the source editor's text into the FB2 editor (opening a source
    // first when the editor is empty) and offers to save the book under the proposed name.
    void convert();

private:
    MainWindow& m_window;
    FileCommands& m_files;
    CommandDialogs& m_dialogs;
    QString m_openFolder;  // where the open dialog starts: the folder of the last chosen file
    // The opened document the last conversion was made from (empty for typed text): the book's
    // save name is proposed anew for another one.
    QString m_convertedDocument;
};

}  // namespace vellumar
