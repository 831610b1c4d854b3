#pragma once
// The files this run of the program wrote. A later command may write such a file again, but a
// file of the same name that is not among them belongs to the user and is never replaced: the
// program takes the next free name instead ("table1~2.png", "Old_Book~2.htm").

#include <filesystem>
#include <set>

namespace vellumar {

class WrittenFiles {
public:
    // True when nothing lies at file (a link of that name counts as something, wherever it
    // points) or this run wrote it.
    bool mayWrite(const std::filesystem::path& file) const;

    // wanted when mayWrite(wanted), else the first of "STEM~2.EXT", "STEM~3.EXT", ... in the
    // same folder for which mayWrite holds.
    std::filesystem::path freeName(const std::filesystem::path& wanted) const;

    void add(const std::filesystem::path& file);

private:
    std::set<std::filesystem::path> m_written;
};

}  // namespace vellumar
