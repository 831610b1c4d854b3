#pragma once
// Where the language files are found and written.
//
// The two files that come with the program are looked up in the user's data folder first (where
// the recreate command writes when the program's folder is not writable), then beside the
// program (a portable copy), then in the installed data folder ("../share/vellumar" from the
// program's folder).

#include <array>
#include <filesystem>
#include <string_view>

namespace vellumar {

inline constexpr std::string_view kEnglishLanguageFile = "Vellumar_eng.lng";
inline constexpr std::string_view kRussianLanguageFile = "Vellumar_ru.lng";

// The installed data folder relative to the program's folder.
inline constexpr std::string_view kInstalledDataFolder = "../share/vellumar";

struct LanguageFolders {
    std::filesystem::path user;       // $XDG_DATA_HOME/vellumar
    std::filesystem::path program;    // the program's folder
    std::filesystem::path installed;  // the program's folder/../share/vellumar

    // The folders in the order they are searched.
    std::array<std::filesystem::path, 3> searchOrder() const { return {user, program, installed}; }
};

LanguageFolders languageFoldersOf(const std::filesystem::path& programFolder, const std::filesystem::path& userDataFolder);

// The first file named `name` in the search order; when there is none, the path beside the
// program (which does not exist, so applying it changes nothing).
std::filesystem::path findLanguageFile(const LanguageFolders& folders, std::string_view name);

// Where the recreate command writes `name`: over a copy in the user's folder when there is one
// (it would hide any other), else beside the program when that folder is writable, else into the
// user's folder.
std::filesystem::path languageFileToWrite(const LanguageFolders& folders, std::string_view name);

// The language the "Common Settings" page chooses.
enum class LanguageChoice { English, Russian, Other, None };

// The language file to apply: the English or Russian file as found, the "Other:" file's path as
// given (empty when none was chosen), and nothing when no language is chosen.
std::filesystem::path languageFileFor(LanguageChoice choice, const std::filesystem::path& otherFile,
                                      const LanguageFolders& folders);

}  // namespace vellumar
