#include "office/derived_html_path.h"

#include <algorithm>
#include <string>

namespace vellumar {

namespace fs = std::filesystem;

namespace {

// The same file reached by another spelling of its folder is the same file.
fs::path identity(const fs::path& file)
{
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(file, error);
    return error ? fs::absolute(file, error).lexically_normal() : absolute;
}

}  // namespace

fs::path DerivedHtmlPath(const fs::path& document)
{
    std::string name = document.filename().string();
    std::replace(name.begin(), name.end(), ' ', '_');
    return document.parent_path() / fs::path(name).replace_extension(".htm");
}

bool WrittenHtmlFiles::mayWrite(const fs::path& html) const
{
    std::error_code error;
    // symlink_status: a link of that name counts as taken, wherever it points.
    const bool taken = fs::exists(fs::symlink_status(html, error));
    return !taken || m_written.contains(identity(html));
}

fs::path WrittenHtmlFiles::pathFor(const fs::path& document) const
{
    const fs::path derived = DerivedHtmlPath(document);
    if (mayWrite(derived)) return derived;
    const std::string stem = derived.stem().string();
    for (int variant = 2;; ++variant) {
        fs::path html = derived.parent_path() / (stem + "~" + std::to_string(variant) + ".htm");
        if (mayWrite(html)) return html;
    }
}

void WrittenHtmlFiles::add(const fs::path& html)
{
    m_written.insert(identity(html));
}

}  // namespace vellumar
