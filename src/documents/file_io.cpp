#include "documents/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path)
{
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) fail("cannot read", path, errno);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) fail("cannot read", path, errno);
    if (S_ISDIR(info.st_mode)) fail("cannot read", path, EISDIR);
    std::string bytes;
    if (S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            fail("cannot read", path, errno);
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string tempName(".");
    tempName.append(path.filename().string()).append(".XXXXXX");
    std::string pattern = (folder / tempName).string();
    Descriptor file{::mkstemp(pattern.data())};
    if (file.fd < 0) fail("cannot write", path, errno);
    const std::filesystem::path temp = pattern;
    auto discard = [&](int error) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        fail("cannot write", path, error);
    };
    // mkstemp makes the file 0600; a book is an ordinary document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.fd, 0666 & ~mask);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            discard(errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(file.fd) != 0) discard(errno);
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
