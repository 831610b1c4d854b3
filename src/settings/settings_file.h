#pragma once
// The settings file: where it lives, its sections and keys, and how stored values that the
// window cannot take are mended.

#include <filesystem>
#include <string_view>

#include "settings/user_folders.h"

namespace vellumar {

// Sections and the keys that are not component names.
inline constexpr std::string_view kPositionSection = "Position";
inline constexpr std::string_view kCheckBoxesSection = "CheckBoxes";
inline constexpr std::string_view kRadioButtonsSection = "RadioButtons";
inline constexpr std::string_view kIntValuesSection = "IntValues";
inline constexpr std::string_view kLabelsSection = "Labels";
inline constexpr std::string_view kComboBoxesSection = "ComboBoxes";
inline constexpr std::string_view kStateKey = "State";
inline constexpr std::string_view kPosXKey = "PosX";
inline constexpr std::string_view kPosYKey = "PosY";
inline constexpr std::string_view kWidthKey = "Width";
inline constexpr std::string_view kHeightKey = "Height";
inline constexpr std::string_view kLabel1Key = "Label1";
inline constexpr std::string_view kCombo1Key = "Combo1";
inline constexpr std::string_view kCombo2Key = "Combo2";

// Position and size when the file holds none: the window's minimum size raises them.
inline constexpr int kDefaultWindowGeometry = 10;

// The window state as stored under "State".
enum class WindowState { Maximized = 0, Minimized = 1, Normal = 2 };

// The settings file of a portable copy: the program file's path with the extension ".ini".
std::filesystem::path portableSettingsPath(const std::filesystem::path& programFile);

// The settings file to read and write: the portable one when a file already sits there (a
// portable copy, a file carried over), else "vellumar.ini" in the user's configuration folder.
// The program's own folder is usually not writable, so a new file is never made there.
std::filesystem::path settingsFilePath(const std::filesystem::path& programFile, const UserEnvironment& environment);

// The state the window starts in for a stored "State": a window closed maximized starts
// maximized; any other value, minimized included, starts normal (a program that starts as an
// icon looks as if it had not started).
WindowState startWindowState(int stored);

// The heading level index for a stored "Combo1" (0 = "H1" ... 5 = "H6"); outside that, 0.
int titleLevelIndexOrDefault(int stored);
// The character-set index for a stored "Combo2"; outside the list, "DEFAULT_CHARSET".
int charsetIndexOrDefault(int stored);

}  // namespace vellumar
