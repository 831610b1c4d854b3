#include "pixels/picture_file.h"

#include "pixels/picture_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumar {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

PictureError readError(const std::filesystem::path& path, int error)
{
    return PictureError("cannot read the picture " + path.string() + ": " + std::strerror(error));
}

PictureError writeError(const std::filesystem::path& path, int error)
{
    return PictureError("cannot write the picture " + path.string() + ": " + std::strerror(error));
}

// An open descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

PictureError tooLarge(const std::filesystem::path& path, std::size_t maxBytes)
{
    return PictureError("cannot read the picture " + path.string() + ": it is larger than " + std::to_string(maxBytes) +
                        " bytes, more than any picture of a book");
}

// Up to maxBytes of the regular file at path, read with as few system calls as a picture
// allows (a book may have hundreds): open, its size, one read of it all, one read that finds
// its end. Nothing when there is no regular file at the path.
// With `whole`, a file of more than maxBytes is an error, not cut.
std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t maxBytes, bool whole)
{
    // Not blocking: a FIFO put where the picture was must not stop the conversion.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        throw readError(path, errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) throw readError(path, errno);
    if (!S_ISREG(info.st_mode)) return std::nullopt;
    if (whole && static_cast<std::uintmax_t>(info.st_size) > maxBytes) throw tooLarge(path, maxBytes);
    // Sized by the file, not by the limit: most pictures are far smaller than the limit.
    std::string bytes(std::min(maxBytes, static_cast<std::size_t>(info.st_size)), '\0');
    const auto readInto = [&](char* into, std::size_t count) {
        for (;;) {
            const ssize_t got = ::read(file.get(), into, count);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) throw readError(path, errno);
        }
    };
    std::size_t filled = 0;
    bool ended = false;
    while (filled < bytes.size() && !ended) {
        const std::size_t got = readInto(bytes.data() + filled, bytes.size() - filled);
        filled += got;
        ended = got == 0;
    }
    bytes.resize(filled);
    // The file may have grown since: read on to its end or the limit.
    char more[4096];
    while (!ended && bytes.size() < maxBytes) {
        const std::size_t got = readInto(more, std::min(sizeof more, maxBytes - bytes.size()));
        bytes.append(more, got);
        ended = got == 0;
    }
    // Still not at its end: it grew past the limit while it was read.
    if (whole && !ended && readInto(more, 1) > 0) throw tooLarge(path, maxBytes);
    return bytes;
}

}  // namespace

std::optional<std::string> readPictureFile(const std::filesystem::path& path)
{
    return readUpTo(path, kMaxPictureBytes, true);
}

std::optional<std::string> readPictureFileStart(const std::filesystem::path& path, std::size_t maxBytes)
{
    return readUpTo(path, maxBytes, false);
}

void writePictureFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::path partial = path;
    std::string partialName(".");
    partialName.append(path.filename().string()).append(".part");
    partial.replace_filename(partialName);
    FilePtr file(std::fopen(partial.c_str(), "wbe"));
    if (!file) throw writeError(path, errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file.release()) == 0;
    const int closeErrno = errno;
    if (!written || !closed) {
        std::remove(partial.c_str());
        throw writeError(path, written ? closeErrno : writeErrno);
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        const int renameErrno = errno;
        std::remove(partial.c_str());
        throw writeError(path, renameErrno);
    }
}

}  // namespace vellumar
