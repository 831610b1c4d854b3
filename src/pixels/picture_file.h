#pragma once
// Reading picture files whole, and writing picture files whole or not at all.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumar {

// The most bytes a picture file is read to: far above any picture a book holds, far below what
// would exhaust memory (a sparse file of gigabytes, a file that grows while it is read).
inline constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;

// The file's bytes; nothing when no regular file exists at the path. Throws PictureError
// naming the file when it exists but cannot be read, or holds more than kMaxPictureBytes.
std::optional<std::string> readPictureFile(const std::filesystem::path& path);

// The first maxBytes bytes of the file (all of a shorter one); nothing when no regular file
// exists at the path. Throws PictureError naming the file when it cannot be read.
std::optional<std::string> readPictureFileStart(const std::filesystem::path& path, std::size_t maxBytes);

// Writes bytes to a hidden name in the same folder, then renames it over `path`, so a failed
// write leaves no half-written file. Throws PictureError naming the file on failure.
void writePictureFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vellumar
