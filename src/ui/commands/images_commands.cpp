#include "ui/commands/images_commands.h"

#include <exception>

#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>

#include "pictures/picture_page.h"
#include "tables/freetype_text_measurer.h"
#include "ui/commands/dialog_interaction.h"
#include "ui/commands/file_commands.h"
#include "ui/dialogs/picture_dialog.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/converter_texts.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

// The boxes show lines; the line ends of the texts are the toolkit's own there.
QString boxText(const std::string& text)
{
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::filesystem::path localPath(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void copyWholeText(QPlainTextEdit& box)
{
    box.selectAll();
    box.copy();
}

}  // namespace

ImagesPageCommands::ImagesPageCommands(MainWindow& window, QPlainTextEdit& upperBox, QPlainTextEdit& lowerBox)
    : QObject(&window), m_window(window), m_upperBox(upperBox), m_lowerBox(lowerBox), m_choosePicture(askPictureFileName)
{
}

ImagesPageCommands::~ImagesPageCommands() = default;

void ImagesPageCommands::showError(const QString& message)
{
    showPlainMessageBox(&m_window, QMessageBox::Critical, QCoreApplication::applicationName(), message);
}

void ImagesPageCommands::showTexts(const PictureTexts& texts)
{
    m_upperBox.setPlainText(boxText(texts.reference));
    m_lowerBox.setPlainText(boxText(texts.binary));
}

void ImagesPageCommands::loadPictureAsked()
{
    const QString path = m_choosePicture(&m_window);
    if (!path.isEmpty()) loadPicture(path);
}

void ImagesPageCommands::loadPicture(const QString& path)
{
    m_upperBox.clear();
    m_lowerBox.clear();
    try {
        if (const std::optional<PictureTexts> texts =
                loadPictureTexts(localPath(path), m_window.conversionOptions(), m_copies))
            showTexts(*texts);
    } catch (const std::exception& error) {
        showError(converterText(std::string_view(error.what())));
    }
}

void ImagesPageCommands::copyUpperBox() { copyWholeText(m_upperBox); }
void ImagesPageCommands::copyLowerBox() { copyWholeText(m_lowerBox); }
void ImagesPageCommands::clearUpperBox() { m_upperBox.clear(); }
void ImagesPageCommands::clearLowerBox() { m_lowerBox.clear(); }

const TextMeasurer& ImagesPageCommands::measurer()
{
    if (m_measurer == nullptr) {
        m_font = std::make_unique<FreeTypeTextMeasurer>();
        m_measurer = m_font.get();
    }
    return *m_measurer;
}

void ImagesPageCommands::convertTable()
{
    m_upperBox.clear();
    m_lowerBox.clear();
    const std::string selection = m_window.sourceEditor()->editor().selectedText();
    if (selection.empty()) return;
    try {
        const std::filesystem::path folder =
            tablePictureFolder(localPath(m_window.fb2FileName()), localPath(m_window.fileCommands().documentFolder()));
        std::optional<PictureTexts> texts;
        if (BookInfoDialog* bookInfo = m_window.dialogWindows().bookInfoDialog) {
            DialogInteraction user(&m_window, *bookInfo, m_window.charset());
            texts = m_tables.run(selection, folder, m_window.conversionOptions(), measurer(), user);
        } else {
            SilentInteraction user;
            texts = m_tables.run(selection, folder, m_window.conversionOptions(), measurer(), user);
        }
        if (!texts) return;
        showTexts(*texts);
        m_window.setActivePage(MainWindow::ImagesPage);
    } catch (const std::exception& error) {
        showError(converterText(std::string_view(error.what())));
    }
}

}  // namespace vellumar
