#include "files/written_files.h"

#include <string>
#include <system_error>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

// The key under which a written file is remembered: the same file reached by another spelling
// of its folder is the same file.
fs::path identity(const fs::path& file)
{
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(file, error);
    return error ? fs::absolute(file, error).lexically_normal() : absolute;
}

}  // namespace

bool WrittenFiles::mayWrite(const fs::path& file) const
{
    std::error_code error;
    const bool taken = fs::exists(fs::symlink_status(file, error));
    return !taken || m_written.contains(identity(file));
}

fs::path WrittenFiles::freeName(const fs::path& wanted) const
{
    if (mayWrite(wanted)) return wanted;
    const std::string stem = wanted.stem().string();
    const std::string extension = wanted.extension().string();
    for (int variant = 2;; ++variant) {
        fs::path file = wanted.parent_path() / (stem + "~" + std::to_string(variant) + extension);
        if (mayWrite(file)) return file;
    }
}

void WrittenFiles::add(const fs::path& file)
{
    m_written.insert(identity(file));
}

}  // namespace vellumar
