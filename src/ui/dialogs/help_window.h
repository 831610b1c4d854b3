#pragma once
// The help window: shows the text file "help.txt" from the program's folder, or the help text of
// the interface language ("help_ru.txt" for Russian) where there is one. The file is read again
// every time the window is shown, so an edited file shows its new text.

#include <functional>

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace vellumar {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The folder searched first; the program's folder (programFolder()) until set.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    // How a missing file is reported; a message box owned by this window until replaced (the
    // program shows it over the main window, since the help window is not shown yet).
    void setMessageSink(std::function<void(const QString&)> sink) { m_messageSink = std::move(sink); }

    // The interface language ("en", "ru", ...): its help text "help_<language>.txt" is shown
    // when one is found, else "help.txt". English until set.
    void setLanguage(const QString& language) { m_language = language; }

    // The path of "help.txt" in the program's folder, looked at first.
    QString helpFilePath() const;
    // Where an installed program keeps it: share/vellumar/help.txt of the installation.
    QString installedHelpFilePath() const;

    // Loads the help text into the window; when no help file exists, reports "<path> not found."
    // naming the installed place, and keeps the text shown before. Returns whether a file was
    // loaded.
    bool loadHelpText();

    // Loads the help text, then shows the window modally.
    int exec() override;

private:
    // The folder searched first, with its trailing separator.
    QString folder() const;
    QString existingHelpFile() const;
    QString existingHelpFile(const QString& name) const;

    QPlainTextEdit* m_memo = nullptr;
    QString m_programFolder;
    QString m_language;
    std::function<void(const QString&)> m_messageSink;
};

}  // namespace vellumar
