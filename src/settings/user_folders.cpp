#include "settings/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vellumar {

namespace {

constexpr const char* kProgramFolderName = "vellumar";

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::filesystem::path userFolder(const std::string& variable, const std::string& home, const char* fallback)
{
    const std::filesystem::path base =
        std::filesystem::path(variable).is_absolute() ? std::filesystem::path(variable) : std::filesystem::path(home) / fallback;
    return base / kProgramFolderName;
}

}  // namespace

UserEnvironment currentUserEnvironment()
{
    UserEnvironment environment{environmentValue("XDG_CONFIG_HOME"), environmentValue("XDG_DATA_HOME"),
                                environmentValue("HOME")};
    if (environment.home.empty()) {
        if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir)
            environment.home = account->pw_dir;
    }
    return environment;
}

std::filesystem::path userConfigFolder(const UserEnvironment& environment)
{
    return userFolder(environment.xdgConfigHome, environment.home, ".config");
}

std::filesystem::path userDataFolder(const UserEnvironment& environment)
{
    return userFolder(environment.xdgDataHome, environment.home, ".local/share");
}

}  // namespace vellumar
