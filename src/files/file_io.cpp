#include "files/file_io.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "base/page_warmer.h"
#include "files/interrupt_cleanup.h"

namespace vellumar {

namespace {

[[noreturn]] void fail(std::string_view what, const std::filesystem::path& path, int error)
{
    throw FileError(std::string(what) + " '" + path.string() + "': " + std::strerror(error));
}

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

// Writes all pieces, one after another, to the descriptor, many with each system call; false
// with errno set when it cannot.
bool writeAll(int fd, std::span<const std::string_view> pieces, bool socket)
{
    std::vector<iovec> left;
    left.reserve(pieces.size());
    for (std::string_view piece : pieces)
        if (!piece.empty()) left.push_back({const_cast<char*>(piece.data()), piece.size()});
    std::size_t next = 0;
    while (next < left.size()) {
        const std::size_t count = std::min<std::size_t>(left.size() - next, IOV_MAX);
        ssize_t put = 0;
        if (socket) {
            msghdr message{};
            message.msg_iov = left.data() + next;
            message.msg_iovlen = count;
            put = ::sendmsg(fd, &message, MSG_NOSIGNAL);
        } else {
            put = ::writev(fd, left.data() + next, static_cast<int>(count));
        }
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        // Past the pieces written whole, into the one written in part.
        auto written = static_cast<std::size_t>(put);
        while (next < left.size() && written >= left[next].iov_len) written -= left[next++].iov_len;
        if (written > 0) {
            left[next].iov_base = static_cast<char*>(left[next].iov_base) + written;
            left[next].iov_len -= written;
        }
    }
    return true;
}

// A stream connection to the Unix socket at path, or -1 with errno set.
int connectSocket(const std::filesystem::path& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.native().size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.native().size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Takes O_NONBLOCK off a descriptor opened with it (so that opening did not wait); false with
// errno set when it cannot.
bool waitsAgain(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// What a file that is not a regular one or a folder is called in a message.
const char* kindOfSpecialFile(mode_t mode)
{
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// Opens a device or FIFO for writing without following a link and without blocking. A FIFO
// whose reader is still starting (a pipeline just launched) is given a moment, not for ever.
int openSpecialFile(const std::filesystem::path& path, mode_t mode)
{
    constexpr int kTries = 20;
    for (int attempt = 1;; ++attempt) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd >= 0 || errno != ENXIO || !S_ISFIFO(mode) || attempt == kTries) return fd;
        const timespec pause{0, 100'000'000};
        ::nanosleep(&pause, nullptr);
    }
}

// A character device, FIFO or socket is written into as it is, as standard output would be:
// replacing the node by a regular file would lose it (a root user's /dev/null). It is opened
// without following a link put there since it was looked at, and without waiting for a reader.
void writeIntoSpecialFile(const std::filesystem::path& named, const std::filesystem::path& path,
                          std::span<const std::string_view> pieces, mode_t mode)
{
    const bool socket = S_ISSOCK(mode);
    Descriptor file{socket ? connectSocket(path) : openSpecialFile(path, mode)};
    if (file.fd < 0 && errno == ENXIO && S_ISFIFO(mode))
        throw FileError("cannot write '" + named.string() + "': it is a FIFO that no program reads from");
    if (file.fd < 0) fail("cannot write", named, errno);
    struct stat opened {};
    if (::fstat(file.fd, &opened) != 0) fail("cannot write", named, errno);
    if ((opened.st_mode & S_IFMT) != (mode & S_IFMT))
        throw FileError("cannot write '" + named.string() + "': it changed while it was opened");
    // Once open, the writes wait for the reader as any program's output does.
    if (!socket && !waitsAgain(file.fd)) fail("cannot write", named, errno);
    if (!writeAll(file.fd, pieces, socket)) fail("cannot write", named, errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) fail("cannot write", named, errno);
}

// Whether the system's own rule for links in shared folders lets this process follow the link
// `info` describes, found in the folder `folderInfo` describes: a sticky, world-writable folder
// is one anyone may plant a link in, so only the user's own links and the folder owner's count.
bool mayFollowLink(const struct stat& info, const struct stat& folderInfo)
{
    const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
    return !shared || info.st_uid == ::geteuid() || info.st_uid == folderInfo.st_uid;
}

// The path the name leads to once every symbolic link in it is followed, as the system would
// for an open, refusing links another user planted in a shared folder. The last part may not
// exist yet (a new book). A relative name stays relative to the current folder while no ".."
// leads above it. `found` tells whether the path exists, and `info` is then its lstat.
std::filesystem::path resolveForWriting(const std::filesystem::path& named, struct stat& info, bool& found)
{
    std::error_code error;
    std::vector<std::string> left;  // the parts still to walk, the next one last
    const auto pushParts = [&left](const std::filesystem::path& path) {
        std::vector<std::string> parts;
        for (const std::filesystem::path& part : path.relative_path()) parts.push_back(part.string());
        left.insert(left.end(), parts.rbegin(), parts.rend());
    };
    pushParts(named);
    std::filesystem::path resolved = named.is_absolute() ? "/" : "";
    bool known = false;   // whether `info` describes `resolved`
    bool looked = false;  // whether `resolved` was looked up, found or not
    int hops = 0;
    while (!left.empty()) {
        const std::string part = std::move(left.back());
        left.pop_back();
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            // Above the current folder: from here on the walk goes by absolute names.
            if (resolved.empty()) {
                resolved = std::filesystem::current_path(error);
                if (error) fail("cannot write", named, error.value());
            }
            resolved = resolved.parent_path();
            known = false;
            looked = false;
            continue;
        }
        const std::filesystem::path next = resolved / part;
        known = ::lstat(next.c_str(), &info) == 0;
        if (!known || !S_ISLNK(info.st_mode)) {
            resolved = next;
            looked = true;
            continue;
        }
        known = false;
        looked = false;
        if (++hops > 40) fail("cannot write", named, ELOOP);  // as the system counts a loop
        struct stat folderInfo {};
        if (::stat(resolved.empty() ? "." : resolved.c_str(), &folderInfo) != 0) fail("cannot write", named, errno);
        if (!mayFollowLink(info, folderInfo))
            throw FileError("cannot write '" + named.string() + "': the symbolic link '" + next.string() +
                            "' belongs to another user in a shared folder, so it is not followed");
        const std::filesystem::path leadsTo = std::filesystem::read_symlink(next, error);
        if (error) fail("cannot write", named, error.value());
        if (leadsTo.is_absolute()) resolved = "/";
        pushParts(leadsTo);
    }
    if (resolved.empty()) resolved = ".";
    found = known || (!looked && ::lstat(resolved.c_str(), &info) == 0);
    return resolved;
}

// `name` cut to leave room for the 8 bytes a temporary name adds within the folder's limit on
// name length (at a UTF-8 character boundary).
std::string shortenedForTemporary(const std::filesystem::path& folder, const std::string& name)
{
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX;
    constexpr std::size_t kAdded = 8;  // "." and ".XXXXXX"
    const std::size_t room = static_cast<std::size_t>(std::max<long>(limit, kAdded + 1)) - kAdded;
    std::size_t keep = std::min(name.size(), room);
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return name.substr(0, keep);
}

// Six letters or digits that differ from call to call and from process to process.
std::string randomSuffix()
{
    static std::atomic<std::uint64_t> calls{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const int local = 0;
    std::uint64_t x = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                      reinterpret_cast<std::uintptr_t>(&local) ^ (calls++ * 0x9E3779B97F4A7C15ULL);
    // splitmix64's finisher spreads every bit of the seed over the result.
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix(6, 'X');
    for (char& c : suffix) {
        c = kLetters[x % kLetters.size()];
        x /= kLetters.size();
    }
    return suffix;
}

// Makes a new hidden file beside `name` in `folder`, ".NAME.XXXXXX", and returns its
// descriptor (-1 with errno set). Its mode is that of any new document, 0666 less the umask.
// NAME is shortened only when the folder refuses the whole.
int createTemporary(const std::filesystem::path& folder, const std::string& name, std::string& made)
{
    std::string kept = name;
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = (folder / ("." + kept + "." + randomSuffix())).string();
        const int fd = ::open(made.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno == EEXIST) continue;
        if (errno != ENAMETOOLONG || kept.size() < name.size()) return -1;
        kept = shortenedForTemporary(folder, name);
        if (kept.size() == name.size()) return -1;
    }
    errno = EEXIST;
    return -1;
}

// Reads the descriptor on to its end after `start`, in blocks that grow from 64 KiB to 64 MiB,
// then joins them; throws `tooLarge()` past `limit` bytes.
template <typename TooLarge, typename ReadInto>
std::string readRest(std::string start, std::size_t limit, const TooLarge& tooLarge, const ReadInto& readInto)
{
    constexpr std::size_t kFirstBlock = std::size_t{1} << 16;
    constexpr std::size_t kLargestBlock = std::size_t{1} << 26;
    std::vector<std::string> blocks;
    std::size_t total = start.size();
    if (!start.empty()) blocks.push_back(std::move(start));
    for (std::size_t size = kFirstBlock;; size = std::min(size * 2, kLargestBlock)) {
        std::string block(std::min(size, limit + 1 - std::min(total, limit)), '\0');
        std::size_t filled = 0;
        bool more = true;
        while (filled < block.size() && (more = readInto(block, filled))) {
        }
        block.resize(filled);
        total += filled;
        if (total > limit) throw tooLarge();
        blocks.push_back(std::move(block));
        if (!more) break;
    }
    if (blocks.size() == 1) return std::move(blocks.front());
    std::string bytes;
    bytes.reserve(total);
    for (std::string& block : blocks) {
        bytes.append(block);
        std::string().swap(block);
    }
    return bytes;
}

}  // namespace

std::string readBytesFrom(int fd, std::string_view name, std::size_t limit)
{
    const auto failReading = [name](std::string_view why) -> FileError {
        std::string message("cannot read ");
        message.append(name).append(": ").append(why);
        return FileError(message);
    };
    const auto tooLarge = [&] {
        return failReading("it is larger than " + std::to_string(limit) + " bytes, more than any book: not read");
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) throw failReading(std::strerror(errno));
    if (S_ISDIR(info.st_mode)) throw failReading(std::strerror(EISDIR));
    // A regular file of known size is read straight into the text in one call, with a byte to
    // spare to see its end (or that it grew).
    const auto readInto = [&](std::string& into, std::size_t& filled) {
        for (;;) {
            const ssize_t got = ::read(fd, into.data() + filled, into.size() - filled);
            if (got >= 0) {
                filled += static_cast<std::size_t>(got);
                return got > 0;
            }
            if (errno != EINTR) throw failReading(std::strerror(errno));
        }
    };
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        if (static_cast<std::uintmax_t>(info.st_size) > limit) throw tooLarge();
        const std::size_t size = static_cast<std::size_t>(info.st_size) + 1;
        std::string bytes;
        bytes.reserve(size);
        const PageWarmer warmer(bytes.data(), size);
        bytes.resize(size);
        std::size_t filled = 0;
        while (filled < bytes.size() && readInto(bytes, filled)) {
        }
        if (filled < bytes.size()) {
            bytes.resize(filled);
            return bytes;
        }
        // It grew while it was read: on as below, from what is there.
        return readRest(std::move(bytes), limit, tooLarge, readInto);
    }
    // Anything else (a pipe, a file of /proc that says it is empty) in blocks that grow to a
    // size and are joined at the end, each freed once copied: a text that doubles in place
    // would hold its old and new copies at once, twice the limit near its end.
    return readRest(std::string(), limit, tooLarge, readInto);
}

std::string readFileBytes(const std::filesystem::path& path, std::size_t limit)
{
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) fail("cannot read", path, errno);
    std::string name("'");
    name.append(path.native()).push_back('\'');
    return readBytesFrom(file.fd, name, limit);
}

std::string readRegularFileBytes(const std::filesystem::path& path, std::size_t limit)
{
    // Not blocking: a FIFO put at the name must not wait for a writer that never comes.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) fail("cannot read", path, errno);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) fail("cannot read", path, errno);
    if (!S_ISREG(info.st_mode))
        throw FileError("cannot read '" + path.string() + "': " +
                        (S_ISDIR(info.st_mode) ? std::string(std::strerror(EISDIR)) : "it is not a regular file"));
    if (!waitsAgain(file.fd)) fail("cannot read", path, errno);
    std::string name("'");
    name.append(path.native()).push_back('\'');
    return readBytesFrom(file.fd, name, limit);
}

std::string readStandardInput(std::size_t limit) { return readBytesFrom(STDIN_FILENO, "standard input", limit); }

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Durability durability,
                         TargetNaming naming)
{
    writeFileAtomically(path, std::span<const std::string_view>(&bytes, 1), durability, naming);
}

void writeFileAtomically(const std::filesystem::path& named, std::span<const std::string_view> pieces,
                         Durability durability, TargetNaming naming)
{
    // A symbolic link named as the target keeps leading where it did: the file it leads to is
    // the one replaced (or made, when the link dangles), not the link.
    struct stat existing {};
    bool exists = false;
    const std::filesystem::path path = named.has_filename() ? resolveForWriting(named, existing, exists) : named;
    if (!named.has_filename()) exists = ::lstat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        if (S_ISBLK(existing.st_mode) || naming != TargetNaming::NamedByUser)
            throw FileError("cannot write '" + named.string() + "': it is " + kindOfSpecialFile(existing.st_mode) +
                            (S_ISBLK(existing.st_mode) ? ", which is never written"
                                                       : ", which is written only when named as the output"));
        writeIntoSpecialFile(named, path, pieces, existing.st_mode);
        return;
    }
    // A file of the user's own keeps the permissions it was given (a book made read-only stays
    // so); a file of another user's gets the mode of any new file, not theirs.
    const bool keepMode = exists && S_ISREG(existing.st_mode) && existing.st_uid == ::geteuid();
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string made;
    Descriptor file;
    // The temporary file is registered before an interruption can leave it behind.
    std::optional<InterruptCleanup> registered;
    {
        const InterruptsHeldBack heldBack;
        file.fd = createTemporary(folder, path.filename().string(), made);
        if (file.fd >= 0) registered.emplace(made, CleanupKind::File);
    }
    if (file.fd < 0) fail("cannot write", named, errno);
    const std::filesystem::path temp = made;
    auto discard = [&](int error) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        fail("cannot write", named, error);
    };
    if (keepMode && ::fchmod(file.fd, existing.st_mode & 0777) != 0) discard(errno);
    // The group too, where the user may give it (one of their groups); otherwise the folder's.
    if (keepMode && existing.st_gid != ::getegid()) {
        [[maybe_unused]] const int kept = ::fchown(file.fd, static_cast<uid_t>(-1), existing.st_gid);
    }
    if (!writeAll(file.fd, pieces, false)) discard(errno);
    if (durability == Durability::SyncToDisk && ::fsync(file.fd) != 0) discard(errno);
    if (::close(file.fd) != 0) {
        file.fd = -1;
        const int error = errno;
        ::unlink(temp.c_str());
        fail("cannot write", named, error);
    }
    file.fd = -1;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail("cannot write", named, error);
    }
}

}  // namespace vellumar
