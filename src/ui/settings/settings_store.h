#pragma once
// The main window's settings in INI files: position, size and state of the window and every
// check box, radio button and spin edit (found by kind, stored under its object name), the other
// language file's path and the two lists' choices. Files the user saves hold the check boxes only.

#include <filesystem>

#include <QString>

class QComboBox;
class QLabel;
class QWidget;

namespace vellumar {

class IniFile;

// The settings file: beside the program for a portable copy that already has one there, else
// in the user's configuration folder.
std::filesystem::path settingsFilePath();

// QString paths and file-system paths, in the file system's encoding.
std::filesystem::path toPath(const QString& path);
QString fromPath(const std::filesystem::path& path);

// What the settings file stores besides the controls found by kind below `window`.
struct SettingsTargets {
    QWidget& window;
    QLabel& languageFile;  // Label1
    QComboBox& titleLevel;  // ComboBox1
    QComboBox& charsets;    // ComboBox2
};

// Sets the window and the controls from `file`; missing keys and values that are no numbers give
// the defaults (10 for position and size, the controls' current states, "H1", "DEFAULT_CHARSET").
// A window placed where no screen shows it is brought back onto the primary screen.
void loadSettings(const SettingsTargets& targets, const IniFile& file);
// Writes the window and the controls into `file`; a maximized window keeps the position and size
// it had before, as the file holds them.
void saveSettings(const SettingsTargets& targets, IniFile& file);

// The check boxes below `window` alone, in the section "CheckBoxes".
void loadCheckBoxes(QWidget& window, const IniFile& file);
void saveCheckBoxes(const QWidget& window, IniFile& file);

// Shows a problem with a settings or language file (a file that cannot be read or written) in a
// message box owned by `owner`.
void reportSettingsProblem(QWidget* owner, const QString& message);

}  // namespace vellumar
