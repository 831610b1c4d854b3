#pragma once
// The per-user folders where the program keeps its files when it cannot keep them beside itself:
// the configuration folder for the settings file and the data folder for language files the
// user's copy of the program writes.

#include <filesystem>
#include <string>

namespace vellumar {

// The environment the folders are taken from; tests make their own.
struct UserEnvironment {
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME
    std::string xdgDataHome;    // $XDG_DATA_HOME
    std::string home;           // $HOME, or the home folder of the user account when it is unset
};

// The environment of this process.
UserEnvironment currentUserEnvironment();

// "$XDG_CONFIG_HOME/vellumar", or "~/.config/vellumar" when the variable is unset, empty or not an
// absolute path (relative ones are invalid and ignored).
std::filesystem::path userConfigFolder(const UserEnvironment& environment);
// "$XDG_DATA_HOME/vellumar", or "~/.local/share/vellumar", by the same rule.
std::filesystem::path userDataFolder(const UserEnvironment& environment);

}  // namespace vellumar
