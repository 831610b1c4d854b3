#include "ui/dialogs/desktop_dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "ui/commands/busy_cursor.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/settings/message_texts.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

constexpr int kQueryMilliseconds = 5000;

// The answer of one xdg-mime query, or nothing when the tool is missing or fails.
std::optional<QString> xdgMime(const QStringList& arguments)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), arguments);
    if (!query.waitForFinished(kQueryMilliseconds) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

// Whether the desktop names a program for the file's type. Unknown (no xdg-mime) counts as yes:
// then only the launch itself can tell.
bool desktopHasProgramFor(const QString& path)
{
    const std::optional<QString> type = xdgMime({QStringLiteral("query"), QStringLiteral("filetype"), path});
    if (!type) return true;
    if (type->isEmpty()) return false;
    const std::optional<QString> program = xdgMime({QStringLiteral("query"), QStringLiteral("default"), *type});
    return !program || !program->isEmpty();
}

}  // namespace

QString DesktopDialogs::askOpenFileName(std::string_view dialog, const QString& folder)
{
    const NormalCursorScope arrow;
    return vellumar::askOpenFileName(m_owner, dialog, folder);
}

QString DesktopDialogs::askSaveFileName(std::string_view dialog, const QString& proposed)
{
    const NormalCursorScope arrow;
    return vellumar::askSaveFileName(m_owner, dialog, proposed);
}

bool DesktopDialogs::confirmReplace(const QString& path)
{
    const NormalCursorScope arrow;
    return showPlainMessageBox(m_owner, QMessageBox::Question, MainWindow::applicationTitle(),
                               message(MessageId::ReplaceFile, {path}), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

std::optional<BookInfoAnswers> DesktopDialogs::askBookInfo()
{
    const NormalCursorScope arrow;
    if (!m_bookInfo) return std::nullopt;
    return m_bookInfo->ask();
}

std::optional<BookInfoAnswers> DesktopDialogs::askBookInfoProposing(const BookInfoAnswers& proposed)
{
    const NormalCursorScope arrow;
    if (!m_bookInfo) return std::nullopt;
    return m_bookInfo->ask(&proposed);
}

void DesktopDialogs::showMessage(const QString& title, const QString& text)
{
    const NormalCursorScope arrow;
    showPlainMessageBox(m_owner, QMessageBox::Information, title, text);
}

void DesktopDialogs::showError(const QString& text)
{
    const NormalCursorScope arrow;
    showPlainMessageBox(m_owner, QMessageBox::Critical, MainWindow::applicationTitle(), text);
}

UnsavedAnswer DesktopDialogs::askUnsavedChanges(const QString& question)
{
    const NormalCursorScope arrow;
    switch (showPlainMessageBox(m_owner, QMessageBox::Warning, MainWindow::applicationTitle(), question,
                                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save: return UnsavedAnswer::Save;
    case QMessageBox::Discard: return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
    }
}

bool DesktopDialogs::openWithDesktop(const QString& path)
{
    if (!desktopHasProgramFor(path)) return false;
    if (startInFileFolder(QStringLiteral("xdg-open"), path)) return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool startInFileFolder(const QString& program, const QString& path)
{
    // The viewer starts in the book's folder, so that what it looks up beside the book (and
    // its own file dialogs) starts there rather than wherever this program was started.
    const QFileInfo file(path);
    QProcess process;
    process.setProgram(program);
    process.setArguments({file.absoluteFilePath()});
    process.setWorkingDirectory(file.absolutePath());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace vellumar
