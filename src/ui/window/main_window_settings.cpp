// The main window's settings and language commands: the settings file read at start and written
// on close, the check boxes saved to and loaded from a file of the user's choice, the language
// choice on the "Common Settings" page and the command that writes the English language file.

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "files/file_io.h"
#include "settings/ini_file.h"
#include "settings/language_files.h"
#include "settings/user_folders.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/help_window.h"
#include "ui/settings/common_settings_page.h"
#include "ui/settings/converter_texts.h"
#include "ui/settings/interface_language.h"
#include "ui/settings/language_texts.h"
#include "ui/settings/message_texts.h"
#include "ui/settings/program_folder.h"
#include "ui/settings/settings_page.h"
#include "ui/settings/settings_store.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

LanguageFolders languageFolders()
{
    return languageFoldersOf(toPath(programFolder()), userDataFolder(currentUserEnvironment()));
}

QString problemText(const std::exception& error) { return converterText(QString::fromLocal8Bit(error.what())); }

}  // namespace

void MainWindow::restoreSettings()
{
    try {
        const IniFile file(settingsFilePath());
        loadSettings({*this, *m_commonSettings->languageFile, *m_settings->titleLevel, *m_commonSettings->charsets},
                     file);
    } catch (const FileError& error) {
        reportSettingsProblem(this, problemText(error));
    }
    applyCharset();
}

void MainWindow::storeSettings()
{
    try {
        IniFile file(settingsFilePath());
        saveSettings({*this, *m_commonSettings->languageFile, *m_settings->titleLevel, *m_commonSettings->charsets},
                     file);
        file.save();
    } catch (const FileError& error) {
        reportSettingsProblem(this, problemText(error));
    }
}

void MainWindow::saveSettingsFile()
{
    const QString name = askSaveFileName(this, "SD2");
    if (name.isEmpty()) return;
    try {
        IniFile file(toPath(name));
        saveCheckBoxes(*this, file);
        file.save();
    } catch (const FileError& error) {
        reportSettingsProblem(this, problemText(error));
    }
}

void MainWindow::loadSettingsFile()
{
    const QString name = askOpenFileName(this, "OD2");
    if (name.isEmpty()) return;
    try {
        loadCheckBoxes(*this, IniFile(toPath(name)));
    } catch (const FileError& error) {
        reportSettingsProblem(this, problemText(error));
    }
}

bool MainWindow::russianLanguageFileExists() const
{
    return std::filesystem::is_regular_file(findLanguageFile(languageFolders(), kRussianLanguageFile));
}

LanguageChoice MainWindow::languageChoice() const
{
    if (m_commonSettings->english->isChecked()) return LanguageChoice::English;
    if (m_commonSettings->russian->isChecked()) return LanguageChoice::Russian;
    if (m_commonSettings->other->isChecked()) return LanguageChoice::Other;
    return LanguageChoice::None;
}

QString MainWindow::languageFilePath() const
{
    return fromPath(
        languageFileFor(languageChoice(), toPath(m_commonSettings->languageFile->text()), languageFolders()));
}

void MainWindow::applyLanguage(const QString& path)
{
    std::error_code error;
    if (path.isEmpty() || !std::filesystem::is_regular_file(toPath(path), error)) {
        m_commonSettings->languageFile->clear();
        return;
    }
    try {
        const IniFile file(toPath(path));
        applyLanguageTexts(file, programWindows(*this));
        applyLanguageMessages(file);
        const QString language = interfaceLanguageOf(languageChoice(), file);
        useInterfaceLanguage(language);
        if (m_windows.helpWindow) m_windows.helpWindow->setLanguage(language);
    } catch (const FileError& failure) {
        reportSettingsProblem(this, problemText(failure));
    }
}

void MainWindow::onLanguageChosen()
{
    applyLanguage(languageFilePath());
}

void MainWindow::chooseOtherLanguageFile()
{
    const QString name = askOpenFileName(this, "OD3");
    if (name.isEmpty()) return;
    m_commonSettings->languageFile->setText(name);
    applyLanguage(languageFilePath());
}

void MainWindow::recreateLanguageFile()
{
    try {
        IniFile file(languageFileToWrite(languageFolders(), kEnglishLanguageFile));
        writeLanguageTexts(file, programWindows(*this));
        file.writeString("Form1", kLanguageCodeKey, interfaceLanguage().toStdString());
        writeLanguageMessages(file);
        file.save();
    } catch (const FileError& error) {
        reportSettingsProblem(this, problemText(error));
    }
}

}  // namespace vellumar
