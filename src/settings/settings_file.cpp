#include "settings/settings_file.h"

#include <system_error>

#include "settings/charsets.h"

namespace vellumar {

namespace {

// "H1".."H6" and "Auto".
constexpr int kTitleLevelCount = 7;
constexpr const char* kSettingsFileName = "vellumar.ini";

}  // namespace

std::filesystem::path portableSettingsPath(const std::filesystem::path& programFile)
{
    std::filesystem::path path = programFile;
    return path.replace_extension(".ini");
}

std::filesystem::path settingsFilePath(const std::filesystem::path& programFile, const UserEnvironment& environment)
{
    const std::filesystem::path portable = portableSettingsPath(programFile);
    std::error_code error;
    if (std::filesystem::is_regular_file(portable, error)) return portable;
    return userConfigFolder(environment) / kSettingsFileName;
}

WindowState startWindowState(int stored)
{
    return stored == static_cast<int>(WindowState::Maximized) ? WindowState::Maximized : WindowState::Normal;
}

int titleLevelIndexOrDefault(int stored)
{
    return stored >= 0 && stored < kTitleLevelCount ? stored : 0;
}

int charsetIndexOrDefault(int stored)
{
    return stored >= 0 && stored < static_cast<int>(kCharsetNames.size()) ? stored : kDefaultCharsetIndex;
}

}  // namespace vellumar
