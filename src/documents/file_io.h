#pragma once
// Reading and writing whole files as bytes. Failures throw FileError naming the file.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumar {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ReadFileBytes(const std::filesystem::path& path);
// Writes the file whole or not at all: a temporary file in the same folder (its hidden name
// shortened to fit the folder's name limit, and removed if the run is interrupted), then a
// rename over the target. A failure leaves any previous file of that name untouched. An
// existing device, FIFO or socket is written into as it is, never replaced.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vellumar
