#pragma once
// Finding an installed program the way a shell does.

#include <filesystem>
#include <optional>
#include <string_view>

namespace vellumar {

// The first executable file called `name` in the folders of `searchPath` (a PATH value,
// folders separated by ':'; an empty folder means the current one). A name with a '/' is
// taken as it is when it is executable.
std::optional<std::filesystem::path> findProgram(std::string_view name, std::string_view searchPath);

}  // namespace vellumar
