#include "office/derived_html_path.h"

#include <algorithm>
#include <string>

namespace vellumar {

std::filesystem::path DerivedHtmlPath(const std::filesystem::path& document)
{
    std::string name = document.filename().string();
    std::replace(name.begin(), name.end(), ' ', '_');
    return document.parent_path() / std::filesystem::path(name).replace_extension(".htm");
}

}  // namespace vellumar
