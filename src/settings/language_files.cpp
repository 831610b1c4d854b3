#include "settings/language_files.h"

#include <unistd.h>

#include <system_error>

namespace vellumar {

namespace {

bool isFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

LanguageFolders languageFoldersOf(const std::filesystem::path& programFolder, const std::filesystem::path& userDataFolder)
{
    return {userDataFolder, programFolder, (programFolder / kInstalledDataFolder).lexically_normal()};
}

std::filesystem::path findLanguageFile(const LanguageFolders& folders, std::string_view name)
{
    for (const std::filesystem::path& folder : folders.searchOrder()) {
        if (folder.empty()) continue;
        if (std::filesystem::path candidate = folder / name; isFile(candidate)) return candidate;
    }
    return folders.program / name;
}

std::filesystem::path languageFileToWrite(const LanguageFolders& folders, std::string_view name)
{
    const std::filesystem::path inUserFolder = folders.user / name;
    if (isFile(inUserFolder)) return inUserFolder;
    if (!folders.program.empty() && ::access(folders.program.c_str(), W_OK) == 0) return folders.program / name;
    return inUserFolder;
}

std::filesystem::path languageFileFor(LanguageChoice choice, const std::filesystem::path& otherFile,
                                      const LanguageFolders& folders)
{
    switch (choice) {
    case LanguageChoice::English: return findLanguageFile(folders, kEnglishLanguageFile);
    case LanguageChoice::Russian: return findLanguageFile(folders, kRussianLanguageFile);
    case LanguageChoice::Other: return otherFile;
    case LanguageChoice::None: break;
    }
    return {};
}

}  // namespace vellumar
