#include "cli/path_keys.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace vellumar::cli {

namespace fs = std::filesystem;

namespace {

std::string resolvedWhole(const fs::path& path)
{
    std::error_code ec;
    return fs::weakly_canonical(path, ec).string();
}

}  // namespace

std::string PathKeys::keyOf(const std::string& named)
{
    const std::lock_guard lock(m_mutex);
    if (const auto known = m_known.find(named); known != m_known.end()) return known->second;
    std::string key = newKey(named);
    m_known.emplace(named, key);
    return key;
}

std::string PathKeys::newKey(const std::string& named)
{
    if (m_currentFolder.empty()) {
        std::error_code ec;
        m_currentFolder = fs::current_path(ec).string();
    }
    const fs::path path = fs::path(m_currentFolder) / named;
    const fs::path name = path.filename();
    struct stat info {};
    // A name that is a link, or no plain name at all ("..", "dir/"), is resolved whole.
    if (name.empty() || name == "." || name == ".." || (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)))
        return resolvedWhole(path);
    const std::string folder = path.parent_path().string();
    auto found = m_folders.find(folder);
    if (found == m_folders.end()) found = m_folders.emplace(folder, resolvedWhole(folder)).first;
    return (fs::path(found->second) / name).string();
}

}  // namespace vellumar::cli
