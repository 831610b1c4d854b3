#include "files/temp_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vellumar {

TempFolder::~TempFolder() { clear(); }

const std::filesystem::path& TempFolder::path()
{
    if (!m_path.empty()) return m_path;
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / "vellumar-XXXXXX").string();
    {
        const InterruptsHeldBack heldBack;
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder in " + base.string() + ": " + std::strerror(errno));
        m_registration.emplace(pattern, CleanupKind::Folder);
    }
    m_path = pattern;
    return m_path;
}

std::filesystem::path TempFolder::file(std::string_view name) { return path() / std::filesystem::path(name); }

void TempFolder::clear()
{
    if (m_path.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
    m_registration.reset();
    m_path.clear();
}

}  // namespace vellumar
