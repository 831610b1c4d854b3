#include "office/derived_html_path.h"

#include <algorithm>
#include <string>

namespace vellumar {

namespace fs = std::filesystem;

fs::path derivedHtmlPath(const fs::path& document)
{
    std::string name = document.filename().string();
    std::replace(name.begin(), name.end(), ' ', '_');
    return document.parent_path() / fs::path(name).replace_extension(".htm");
}

fs::path WrittenHtmlFiles::pathFor(const fs::path& document) const
{
    return m_written.freeName(derivedHtmlPath(document));
}

}  // namespace vellumar
