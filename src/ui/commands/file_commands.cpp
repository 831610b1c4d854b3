#include "ui/commands/file_commands.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <filesystem>
#include <string>

#include <QDir>
#include <QFileInfo>

#include "editing/text_lines.h"
#include "encodings/text_encoding.h"
#include "files/file_io.h"
#include "ui/commands/command_dialogs.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_names.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/converter_texts.h"
#include "ui/settings/message_texts.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString errorText(const std::exception& error) { return converterText(std::string_view(error.what())); }

}  // namespace

FileCommands::FileCommands(MainWindow& window, CommandDialogs& dialogs)
    : QObject(&window), m_window(window), m_dialogs(dialogs)
{
}

void FileCommands::setCaption(const QString& caption)
{
    m_window.setWindowTitle(caption);
}

void FileCommands::setDocumentCaption(const QString& name)
{
    setCaption(MainWindow::applicationTitle() + QStringLiteral(" : ") + name);
}

bool FileCommands::mayReplace(CodeEditor& editor, const QString& question, bool (FileCommands::*save)())
{
    if (!editor.hasUnsavedChanges()) return true;
    switch (m_dialogs.askUnsavedChanges(question)) {
    case UnsavedAnswer::Save: return (this->*save)();
    case UnsavedAnswer::Discard: return true;
    case UnsavedAnswer::Cancel: break;
    }
    return false;
}

bool FileCommands::maySourceBeReplaced()
{
    return mayReplace(*m_window.sourceEditor(), message(MessageId::UnsavedSource), &FileCommands::saveSourceHtml);
}

bool FileCommands::mayFb2BeReplaced()
{
    return mayReplace(*m_window.fb2Editor(), message(MessageId::UnsavedBook), &FileCommands::saveFb2);
}

bool FileCommands::mayClose()
{
    return maySourceBeReplaced() && mayFb2BeReplaced();
}

bool FileCommands::writeFile(const std::string& bytes, const QString& path)
{
    try {
        // The name was chosen by the user, in a dialog or on the command line.
        writeFileAtomically(localPath(path), bytes, Durability::SyncToDisk, TargetNaming::NamedByUser);
        return true;
    } catch (const std::exception& error) {
        m_dialogs.showError(errorText(error));
        return false;
    }
}

std::string FileCommands::fb2FileBytes() const
{
    return m_fb2Encoding.fileBytes(m_window.fb2Editor()->editor().text());
}

std::string FileCommands::sourceFileBytes() const
{
    return windows1251ToSource(joinLinesCrLf(m_window.sourceEditor()->editor().text(), true), m_sourceEncoding,
                               m_sourceByteOrderMark);
}

void FileCommands::setSourceEncoding(const std::string& encoding, bool byteOrderMark)
{
    m_sourceEncoding = encoding;
    m_sourceByteOrderMark = byteOrderMark;
}

QString FileCommands::askSaveName(std::string_view dialog, const QString& proposed, QString (*rule)(const QString&),
                                  QString& chosen)
{
    chosen = m_dialogs.askSaveFileName(dialog, proposed);
    if (chosen.isEmpty()) return {};
    const QString name = rule(chosen);
    // The dialog confirmed replacing the name the user chose; the name written may differ.
    if (name != chosen && QFileInfo::exists(name) && !m_dialogs.confirmReplace(name)) return {};
    return name;
}

void FileCommands::newSourceDocument()
{
    if (maySourceBeReplaced()) clearSourceDocument();
}

void FileCommands::clearSourceDocument()
{
    m_window.sourceEditor()->setDocumentText({});
    m_sourceSaveName.clear();
    setSourceEncoding("windows-1251", false);
    m_sourceDocument.clear();
    m_window.setSourceFileName(QString());
}

void FileCommands::newFb2Document()
{
    if (mayFb2BeReplaced()) clearFb2Document();
}

void FileCommands::clearFb2Document()
{
    m_window.fb2Editor()->setDocumentText({});
    m_window.fb2Editor()->setDocumentCodePage({});
    m_fb2Encoding = BookEncoding();
    m_fb2SaveName.clear();
    m_window.setFb2FileName(QString());
    m_window.resetTablePictureCounter();
}

void FileCommands::setConvertedBook(std::string_view text)
{
    m_fb2Encoding = BookEncoding();
    m_window.fb2Editor()->setDocumentCodePage({});
    m_window.fb2Editor()->setDocumentText(text);
}

void FileCommands::openFb2File()
{
    if (!mayFb2BeReplaced()) return;
    const QString path = m_dialogs.askOpenFileName("ODFB2", m_fb2OpenFolder);
    if (path.isEmpty()) return;
    m_fb2OpenFolder = QFileInfo(path).absolutePath();
    loadFb2File(path);
}

bool FileCommands::loadFb2File(const QString& path)
{
    clearFb2Document();
    try {
        const std::string bytes = readFileBytes(localPath(path));
        std::string held;
        BookEncoding encoding;
        try {
            encoding = BookEncoding::read(bytes, held);
            m_window.fb2Editor()->setDocumentCodePage(encoding.editorCodePage());
        } catch (const EncodingError& error) {
            // Shown as the bytes they are, in the character set, as a windows-1251 book.
            m_dialogs.showError(message(MessageId::ShownAsWindows1251, {path, errorText(error)}));
            encoding = BookEncoding();
            held = bytes;
        }
        m_window.fb2Editor()->setDocumentText(joinLinesCrLf(held, false));
        m_fb2Encoding = encoding;
    } catch (const std::exception& error) {
        m_dialogs.showError(errorText(error));
        return false;
    }
    m_window.setFb2FileName(path);
    return true;
}

FileCommands::FileKind FileCommands::kindOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QStringLiteral("fb2")) return FileKind::Book;
    const QString sourceKinds[] = {QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("doc"),
                                   QStringLiteral("rtf"), QStringLiteral("docx"), QStringLiteral("odt")};
    if (std::find(std::begin(sourceKinds), std::end(sourceKinds), extension) != std::end(sourceKinds))
        return FileKind::Source;
    return FileKind::Other;
}

bool FileCommands::openFile(const QString& path)
{
    switch (kindOf(path)) {
    case FileKind::Book:
        if (!mayFb2BeReplaced() || !loadFb2File(path)) return false;
        m_fb2OpenFolder = QFileInfo(path).absolutePath();
        m_window.setActivePage(MainWindow::Fb2Page);
        m_window.onPageChanged(MainWindow::Fb2Page);
        return true;
    case FileKind::Source:
        if (!maySourceBeReplaced()) return false;
        m_window.setActivePage(MainWindow::SourcePage);
        m_window.conversionCommands().openSourceFile(path);
        return m_sourceDocument == path;
    case FileKind::Other:
        break;
    }
    m_dialogs.showError(message(MessageId::CannotOpen, {path}));
    return false;
}

void FileCommands::reportNotOpened(const QStringList& files)
{
    m_dialogs.showMessage(MainWindow::applicationTitle(),
                          message(MessageId::NotOpened, {files.join(QLatin1Char('\n'))}));
}

bool FileCommands::saveFb2As()
{
    // A proposed bare name is offered in the folder of the opened document.
    QString proposed = m_fb2SaveName;
    if (!proposed.isEmpty() && QFileInfo(proposed).isRelative())
        proposed = QDir(m_documentFolder.isEmpty() ? QDir::currentPath() : m_documentFolder).filePath(proposed);
    QString chosen;
    const QString name = askSaveName("SD", proposed.isEmpty() ? m_documentFolder : proposed, &fb2SavePath, chosen);
    if (name.isEmpty()) {
        if (chosen.isEmpty()) m_fb2SaveName.clear();
        return false;
    }
    if (!writeFile(fb2FileBytes(), name)) {
        m_fb2SaveName = chosen;
        return false;
    }
    m_fb2SaveName = name;
    m_window.setFb2FileName(name);
    setCaption(name);
    m_window.fb2Editor()->markSaved();
    return true;
}

bool FileCommands::saveFb2()
{
    if (m_fb2SaveName.isEmpty() || QFileInfo(m_fb2SaveName).isRelative()) return saveFb2As();
    if (!writeFile(fb2FileBytes(), m_fb2SaveName)) return false;
    m_window.setFb2FileName(withExtension(m_fb2SaveName, QStringLiteral(".fb2")));
    setCaption(m_window.fb2FileName());
    m_window.fb2Editor()->markSaved();
    return true;
}

bool FileCommands::saveSourceHtmlAs()
{
    QString chosen;
    const QString name =
        askSaveName("SDSource", m_sourceSaveName.isEmpty() ? m_documentFolder : m_sourceSaveName, &sourceSavePath, chosen);
    if (name.isEmpty()) return false;
    m_sourceSaveName = name;
    if (!writeFile(sourceFileBytes(), name)) return false;
    m_window.setSourceFileName(name);
    setDocumentCaption(name);
    m_window.sourceEditor()->markSaved();
    return true;
}

bool FileCommands::saveSourceHtml()
{
    if (m_sourceSaveName.isEmpty()) return saveSourceHtmlAs();
    if (!writeFile(sourceFileBytes(), m_sourceSaveName)) return false;
    m_window.sourceEditor()->markSaved();
    return true;
}

void FileCommands::viewFb2()
{
    if (m_window.fb2FileName().isEmpty()) {
        saveFb2As();
        if (m_window.fb2FileName().isEmpty()) return;
    }
    if (!QFileInfo::exists(m_window.fb2FileName())) saveFb2As();
    if (QFileInfo::exists(m_window.fb2FileName())) viewFile(m_window.fb2FileName());
}

void FileCommands::viewFile(const QString& path)
{
    if (path.isEmpty()) return;
    if (!QFileInfo::exists(path)) {
        m_dialogs.showMessage(MainWindow::applicationTitle(), QStringLiteral("File ") + path + QStringLiteral(" not exist."));
        return;
    }
    if (!m_dialogs.openWithDesktop(path))
        m_dialogs.showMessage(MainWindow::applicationTitle(), message(MessageId::NoBookViewer, {path}));
}

}  // namespace vellumar
