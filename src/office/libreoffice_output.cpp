#include "office/libreoffice_output.h"

#include <algorithm>

#include "documents/file_io.h"

namespace vellumar {

namespace fs = std::filesystem;

namespace {

bool isPlainStem(const std::string& stem)
{
    if (stem.empty() || stem.front() == '.' || stem.front() == '-' || stem.find("_html_") != std::string::npos)
        return false;
    return std::all_of(stem.begin(), stem.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.';
    });
}

}  // namespace

std::string StemChooser::choose(const fs::path& htmlTarget)
{
    std::string stem = htmlTarget.stem().string();
    while (!isPlainStem(stem) || m_used.contains(stem)) stem = "document" + std::to_string(++m_counter);
    m_used.insert(stem);
    return stem;
}

OutputFiles::OutputFiles(const fs::path& folder) : m_folder(folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) m_names.push_back(it->path().filename().string());
}

bool OutputFiles::hasHtml(const std::string& stem) const
{
    std::error_code ec;
    const fs::path html = m_folder / (stem + ".html");
    return std::find(m_names.begin(), m_names.end(), stem + ".html") != m_names.end() &&
           fs::file_size(html, ec) > 0 && !ec;
}

void OutputFiles::deliver(const std::string& stem, const fs::path& htmlTarget) const
{
    const fs::path folder = htmlTarget.parent_path();
    std::vector<fs::path> created;
    auto copy = [&created](const fs::path& from, const fs::path& to) {
        std::error_code ec;
        const bool existed = fs::exists(to, ec);
        WriteFileAtomically(to, ReadFileBytes(from));
        if (!existed) created.push_back(to);
    };
    try {
        for (const std::string& name : m_names)
            if (name.starts_with(stem + "_html_")) copy(m_folder / name, folder / name);
        copy(m_folder / (stem + ".html"), htmlTarget);
    } catch (...) {
        std::error_code ec;
        for (const fs::path& file : created) fs::remove(file, ec);
        throw;
    }
}

}  // namespace vellumar
