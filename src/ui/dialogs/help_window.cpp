#include "ui/dialogs/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "encodings/text_encoding.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/settings/interface_language.h"
#include "ui/settings/message_texts.h"
#include "ui/settings/program_folder.h"

namespace vellumar {

namespace {

// Where an installed program keeps its shared files, relative to its folder (bin/../share/vellumar).
QString installedDataFolder()
{
    return QString::fromUtf8(kInstalledDataFolder.data(), static_cast<qsizetype>(kInstalledDataFolder.size()));
}

// The file's lines: UTF-8 when the bytes are valid UTF-8, else the program's windows-1251.
QString decodeHelpText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        const std::string converted =
            vellumar::windows1251ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        text = QString::fromUtf8(converted.data(), static_cast<qsizetype>(converted.size()));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Help"));
    setModal(true);
    resize(599, 408);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Help texts line up their columns with blanks.
    m_memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);

    m_messageSink = [this](const QString& message) {
        showPlainMessageBox(this, QMessageBox::Information, QCoreApplication::applicationName(), message);
    };
}

QString HelpWindow::folder() const
{
    QString folder = m_programFolder.isEmpty() ? vellumar::programFolder() : m_programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString HelpWindow::helpFilePath() const { return QDir(folder()).filePath(QStringLiteral("help.txt")); }

QString HelpWindow::installedHelpFilePath() const
{
    return QDir::cleanPath(QDir(folder()).filePath(installedDataFolder() + "/help.txt"));
}

QString HelpWindow::existingHelpFile(const QString& name) const
{
    const QString path = QDir(folder()).filePath(name);
    if (QFileInfo(path).isFile())
        return path;
    // An installed program finds its help text among the shared files.
    const QString installed = QDir::cleanPath(QDir(folder()).filePath(installedDataFolder() + '/' + name));
    if (QFileInfo(installed).isFile())
        return installed;
    return QString();
}

QString HelpWindow::existingHelpFile() const
{
    // The language's own text; the code was checked to be letters, so it names no other folder.
    if (isLanguageCode(m_language) && m_language != QLatin1String(kEnglishCode)) {
        const QString translated = existingHelpFile(QStringLiteral("help_%1.txt").arg(m_language));
        if (!translated.isEmpty()) return translated;
    }
    return existingHelpFile(QStringLiteral("help.txt"));
}

bool HelpWindow::loadHelpText()
{
    const QString path = existingHelpFile();
    if (path.isEmpty()) {
        if (m_messageSink)
            // Named where an installed program keeps it, the place to look for a missing file.
            m_messageSink(installedHelpFilePath() + QStringLiteral(" not found."));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (m_messageSink) m_messageSink(message(MessageId::HelpUnreadable, {path, file.errorString()}));
        return false;
    }
    m_memo->clear();
    m_memo->setPlainText(decodeHelpText(file.readAll()));
    return true;
}

int HelpWindow::exec()
{
    loadHelpText();
    return QDialog::exec();
}

}  // namespace vellumar
