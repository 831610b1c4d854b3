#include "office/program_lookup.h"

#include <unistd.h>

#include <string>

namespace vellumar {

namespace {

bool isExecutableFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::filesystem::path> findProgram(std::string_view name, std::string_view searchPath)
{
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string_view::npos) {
        const std::filesystem::path path(name);
        if (isExecutableFile(path)) return path;
        return std::nullopt;
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t colon = searchPath.find(':', start);
        if (colon == std::string_view::npos) colon = searchPath.size();
        const std::string_view folder = searchPath.substr(start, colon - start);
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : std::string(folder)) / std::string(name);
        if (isExecutableFile(candidate)) return candidate;
        start = colon + 1;
    }
    return std::nullopt;
}

}  // namespace vellumar
