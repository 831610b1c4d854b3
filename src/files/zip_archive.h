#pragma once
// A book zipped alone (NAME.fb2.zip holding NAME.fb2), made and read in memory with libzip.
// Failures throw ZipError with a message that says what is wrong with the archive.

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumar {

class ZipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A zip archive of one entry named `entryName` holding the pieces one after another, deflated
// (by libdeflate at its default level).
std::string zipOneFile(std::string_view entryName, std::span<const std::string_view> pieces);

// Whether `bytes` begin as a zip archive does (a local file header).
bool looksLikeZip(std::string_view bytes);

// The book inside a zip archive: its only entry, or of several the one whose name ends in
// ".fb2" when exactly one does. The name is never used as a path. An entry that would unpack to
// more than `limit` bytes (whatever its header claims), an encrypted one, a damaged archive or
// a failed check sum is refused.
std::string unzipBook(std::string_view zipBytes, std::size_t limit);

// The name of the entry inside the zip `zipName` ("Book.fb2.zip" gives "Book.fb2"): the file
// name without its folder and without ".zip"; `fallback` when that does not end in ".fb2".
std::string zipEntryName(std::string_view zipName, std::string_view fallback);

}  // namespace vellumar
