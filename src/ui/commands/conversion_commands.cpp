#include "ui/commands/conversion_commands.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QFileInfo>

#include "pipeline/pipeline.h"
#include "ui/commands/busy_cursor.h"
#include "ui/commands/command_dialogs.h"
#include "ui/commands/command_interaction.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/file_names.h"
#include "ui/commands/word_conversion.h"
#include "ui/editor/charset_text.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/converter_texts.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// Lets the window repaint (the busy cursor, the pages) before long work; typing and clicks wait.
void letWindowRepaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

ConversionCommands::ConversionCommands(MainWindow& window, FileCommands& files, CommandDialogs& dialogs)
    : QObject(&window), m_window(window), m_files(files), m_dialogs(dialogs)
{
}

void ConversionCommands::openSourceDocument()
{
    if (!m_files.maySourceBeReplaced()) return;
    const QString path = m_dialogs.askOpenFileName("OpenDialog1", m_openFolder);
    if (path.isEmpty()) return;
    openSourceFile(path);
}

void ConversionCommands::openSourceFile(const QString& path)
{
    m_openFolder = QFileInfo(path).absolutePath();

    letWindowRepaint();
    BusyCursorScope busy(m_window.busyCursor());
    letWindowRepaint();
    m_files.clearSourceDocument();
    CommandInteraction user(m_dialogs, m_window.charset());
    try {
        if (loadSourceDocument(path, user)) m_window.setSourceFileName(QStringLiteral("New"));
    } catch (const std::exception& error) {
        // The source editor stays empty and the caption as it was.
        user.finish();
        m_dialogs.showError(converterText(std::string_view(error.what())));
        return;
    }
    user.finish();
    m_window.setWindowTitle(MainWindow::applicationTitle() + QStringLiteral(" : ") + m_window.sourceFileName());
}

bool ConversionCommands::loadSourceDocument(const QString& path, CommandInteraction& user)
{
    const QString extension = lowerExtension(path);
    if (extension != QLatin1String(".htm") && extension != QLatin1String(".html") &&
        !isWordProcessorDocument(localPath(path)))
        return false;
    // A word-processor document is saved as HTML beside it by LibreOffice, with its pictures;
    // they stay there after the open. The window repaints meanwhile and refuses commands.
    // Cancel in the progress dialog stops LibreOffice; nothing is left beside the document then.
    std::optional<WordConversionProgress> progress;
    LoadOptions load;
    load.libreOffice.keepWaiting = [&progress] { return progress ? progress->keepWaiting() : keepWindowWaiting(); };
    if (isWordProcessorDocument(localPath(path))) progress.emplace(&m_window, path);
    try {
        const LoadedSource source = loadSource(SourceFile{localPath(path)}, load, m_window.conversionOptions(), user);
        m_window.sourceEditor()->setDocumentText(source.editorText());
        m_files.setSourceEncoding(source.encoding, source.byteOrderMark);
        m_files.setSourceDocument(path);
    } catch (const DocumentConversionError& error) {
        // The user who cancelled needs no message.
        if (progress && progress->cancelled()) return false;
        progress.reset();
        // The second line says why, so that the user knows what to do.
        m_dialogs.showMessage(MainWindow::applicationTitle(), path + QStringLiteral(" не конвертирован.\n") +
                                                                  converterText(std::string_view(error.what())));
        return false;
    }
    // Relative pictures of this document, and the book's save dialog, start in its folder.
    m_files.setDocumentFolder(QFileInfo(path).absolutePath());
    return true;
}

void ConversionCommands::convert()
{
    // Whether the source is empty is asked of the widget: reading its text encodes all of it.
    if (m_window.sourceEditor()->length() == 0) openSourceDocument();
    if (m_window.sourceEditor()->length() == 0) return;
    if (!m_files.mayFb2BeReplaced()) return;
    // Another document's book starts from its own name and folder, not from the last book's.
    if (m_files.sourceDocument() != m_convertedDocument) m_files.setFb2SaveName(QString());
    m_convertedDocument = m_files.sourceDocument();

    CommandInteraction user(m_dialogs, m_window.charset());
    try {
        letWindowRepaint();
        BusyCursorScope busy(m_window.busyCursor());
        letWindowRepaint();
        const std::optional<Fb2Document> book =
            convertSource(m_window.sourceEditor()->editor().text(), m_window.conversionOptions(),
                          localPath(m_files.documentFolder()), user);
        // A text that gives no items leaves the FB2 editor as it was.
        if (book) {
            m_files.setConvertedBook(book->text());
            m_window.setActivePage(MainWindow::Fb2Page);
            if (book->proposedFileName) m_files.setFb2SaveName(decodeBytes(*book->proposedFileName, m_window.charset()));
        }
    } catch (const std::exception& error) {
        user.finish();
        m_dialogs.showError(converterText(std::string_view(error.what())));
        return;
    }
    user.finish();
    // Without a proposed name: the document's own name, or "New" for typed text.
    if (m_files.fb2SaveName().isEmpty())
        m_files.setFb2SaveName(m_files.sourceDocument().isEmpty() ? QStringLiteral("New.fb2")
                                                                  : fb2SavePath(m_files.sourceDocument()));
    m_files.saveFb2As();
}

}  // namespace vellumar
