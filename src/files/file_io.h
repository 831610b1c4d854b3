#pragma once
// Reading and writing whole files as bytes. Failures throw FileError naming the file.

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumar {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The most bytes a source is read to: far above any book, far below what would exhaust memory
// (an endless standard input, /dev/zero).
inline constexpr std::size_t kMaxSourceBytes = std::size_t{1} << 30;

// Everything the open descriptor gives, to its end. Throws FileError "cannot read NAME: ..."
// (`name` as it should stand in the message: "'book.html'", "standard input") when it cannot
// be read (a folder, a closed descriptor) or gives more than `limit` bytes; a regular file
// larger than that is refused before any of it is read.
std::string readBytesFrom(int fd, std::string_view name, std::size_t limit);
std::string readFileBytes(const std::filesystem::path& path, std::size_t limit = kMaxSourceBytes);
// The regular file at `path`, to its end, as readFileBytes reads it; anything else (a FIFO, a
// device, a folder) is refused with a FileError naming it, without waiting for a writer.
std::string readRegularFileBytes(const std::filesystem::path& path, std::size_t limit);
// Standard input to its end, as readBytesFrom names it "standard input".
std::string readStandardInput(std::size_t limit = kMaxSourceBytes);
// Whether a written file is forced to the disk before it takes the target's name. Text the user
// typed or edited exists nowhere else, so it is. A book converted from a source that stays on
// disk can be made again: the command line leaves it to the system's write-back, as compilers
// and other converters do, which saves a disk flush per book. The rename over an old book is
// one the file system guards, so after a crash the old book or the new one is there whole.
enum class Durability { SyncToDisk, WriteBack };

// Who chose the name a file is written to. A device, FIFO or socket is written into only when
// the user named it; a name the program made up (a book beside its source, in an output folder)
// never leads into one, whatever another user planted there.
enum class TargetNaming { Derived, NamedByUser };

// Writes the file whole or not at all: a temporary file in the same folder (its hidden name
// shortened to fit the folder's name limit, and removed if the run is interrupted), then a
// rename over the target. A failure leaves any previous file of that name untouched. A replaced
// file of the user's own keeps its permission bits and its group; a new one gets 0666 less the
// umask.
//
// A symbolic link stays, and the file it leads to is written, but as the system guards its own
// opens: a link in a shared folder (sticky and world-writable, such as /tmp) is followed only
// when it belongs to the user or to the folder's owner, since anyone may plant one there. A
// block device is never written. A character device, FIFO or socket is written into as it is,
// never replaced, and only when `naming` is NamedByUser; a FIFO nobody reads is an error, not a
// wait.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         Durability durability = Durability::SyncToDisk, TargetNaming naming = TargetNaming::Derived);
// The same for a text held in pieces, written one after another.
void writeFileAtomically(const std::filesystem::path& path, std::span<const std::string_view> pieces,
                         Durability durability = Durability::SyncToDisk, TargetNaming naming = TargetNaming::Derived);

}  // namespace vellumar
