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

// A device, FIFO or socket is written into as it is, as standard output would be: replacing
// the node by a regular file would lose it (a root user's /dev/null).
void writeIntoSpecialFile(const std::filesystem::path& path, std::span<const std::string_view> pieces, mode_t mode)
{
    const bool socket = S_ISSOCK(mode);
    Descriptor file{socket ? connectSocket(path) : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) fail("cannot write", path, errno);
    if (!writeAll(file.fd, pieces, socket)) fail("cannot write", path, errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) fail("cannot write", path, errno);
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
    // Read straight into the text: a regular file of known size in one call, with a byte to
    // spare to see its end (or that it grew); anything else (a pipe, a file of /proc that
    // says it is empty) in steps that double.
    constexpr std::size_t kFirstStep = 1 << 16;
    std::size_t room = kFirstStep;
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        if (static_cast<std::uintmax_t>(info.st_size) > limit) throw tooLarge();
        room = static_cast<std::size_t>(info.st_size) + 1;
    }
    std::string bytes(std::min(room, limit + 1), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(std::min(std::max(bytes.size() * 2, kFirstStep), limit + 1));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw failReading(std::strerror(errno));
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (filled > limit) throw tooLarge();
    }
    bytes.resize(filled);
    return bytes;
}

std::string readFileBytes(const std::filesystem::path& path, std::size_t limit)
{
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) fail("cannot read", path, errno);
    std::string name("'");
    name.append(path.native()).push_back('\'');
    return readBytesFrom(file.fd, name, limit);
}

std::string readStandardInput(std::size_t limit) { return readBytesFrom(STDIN_FILENO, "standard input", limit); }

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Durability durability)
{
    writeFileAtomically(path, std::span<const std::string_view>(&bytes, 1), durability);
}

void writeFileAtomically(const std::filesystem::path& named, std::span<const std::string_view> pieces,
                         Durability durability)
{
    // A symbolic link named as the target keeps leading where it did: the file it leads to is
    // the one replaced (or made, when the link dangles), not the link.
    std::filesystem::path path = named;
    std::error_code linkError;
    for (int hops = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(path, linkError)); ++hops) {
        if (hops == 40) fail("cannot write", named, ELOOP);  // as the system counts a loop
        const std::filesystem::path leadsTo = std::filesystem::read_symlink(path, linkError);
        if (linkError) fail("cannot write", named, linkError.value());
        path = leadsTo.is_absolute() ? leadsTo : path.parent_path() / leadsTo;
    }
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        writeIntoSpecialFile(path, pieces, existing.st_mode);
        return;
    }
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
    if (file.fd < 0) fail("cannot write", path, errno);
    const std::filesystem::path temp = made;
    auto discard = [&](int error) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        fail("cannot write", path, error);
    };
    if (!writeAll(file.fd, pieces, false)) discard(errno);
    if (durability == Durability::SyncToDisk && ::fsync(file.fd) != 0) discard(errno);
    if (::close(file.fd) != 0) {
        file.fd = -1;
        const int error = errno;
        ::unlink(temp.c_str());
        fail("cannot write", path, error);
    }
    file.fd = -1;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail("cannot write", path, error);
    }
}

}  // namespace vellumar
