#include "images/picture_file.h"

#include "images/picture_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

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

}  // namespace

std::optional<std::string> ReadPictureFile(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FilePtr file(std::fopen(path.c_str(), "rbe"));
    if (!file) throw readError(path, errno);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) throw readError(path, errno);
    bytes.resize(got);
    // The file may have grown since stat(): take the rest too.
    char more[65536];
    while ((got = std::fread(more, 1, sizeof more, file.get())) > 0) bytes.append(more, got);
    if (std::ferror(file.get())) throw readError(path, errno);
    return bytes;
}

std::optional<std::string> ReadPictureFileStart(const std::filesystem::path& path, std::size_t maxBytes)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FilePtr file(std::fopen(path.c_str(), "rbe"));
    if (!file) throw readError(path, errno);
    // Sized by the file, not by the limit: most pictures are far smaller than the limit.
    std::string bytes(std::min(maxBytes, static_cast<std::size_t>(info.st_size)), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    // The file may have grown since stat(): read on up to the limit.
    char more[4096];
    std::size_t got = 0;
    while (bytes.size() < maxBytes &&
           (got = std::fread(more, 1, std::min(sizeof more, maxBytes - bytes.size()), file.get())) > 0)
        bytes.append(more, got);
    if (std::ferror(file.get())) throw readError(path, errno);
    return bytes;
}

void WritePictureFile(const std::filesystem::path& path, std::string_view bytes)
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
