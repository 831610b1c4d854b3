// Writing books into targets that are not ordinary files: devices, FIFOs and sockets are
// written into and kept; names near the file system's limit still get a temporary name.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/text_pieces.h"
#include "files/file_io.h"
#include "files/temp_folder.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string readAllFrom(int fd)
{
    std::string got;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) got.append(buffer, static_cast<std::size_t>(n));
    return got;
}

TEST(SpecialTargets, FifoIsWrittenIntoAndKept)
{
    TempFolder folder;
    const fs::path fifo = folder.file("book.fb2");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        got = readAllFrom(fd);
        ::close(fd);
    });
    writeFileAtomically(fifo, "the book");
    reader.join();
    EXPECT_EQ(got, "the book");
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(SpecialTargets, SymbolicLinkIsKeptAndItsFileWritten)
{
    TempFolder folder;
    fs::create_directories(folder.file("shelf"));
    struct Case {
        const char* leadsTo;  // relative to the link's folder
        const char* written;  // the file that must hold the book
    };
    for (const Case& c : {Case{"shelf/book.fb2", "shelf/book.fb2"}, Case{"shelf/new.fb2", "shelf/new.fb2"},
                          Case{"shelf/../other.fb2", "other.fb2"}}) {
        const fs::path link = folder.file("link.fb2");
        fs::remove(link);
        writeFileAtomically(folder.file("shelf/book.fb2"), "the old book");
        fs::create_symlink(c.leadsTo, link);
        writeFileAtomically(link, "the new book");
        EXPECT_TRUE(fs::is_symlink(link)) << c.leadsTo;
        EXPECT_EQ(readFileBytes(folder.file(c.written)), "the new book") << c.leadsTo;
    }
    const fs::path loop = folder.file("loop.fb2");
    fs::create_symlink("loop.fb2", loop);
    EXPECT_THROW(writeFileAtomically(loop, "x"), FileError);
    EXPECT_TRUE(fs::is_symlink(loop));
}

TEST(SpecialTargets, SocketIsWrittenIntoAndKept)
{
    TempFolder folder;
    const fs::path path = folder.file("book.sock");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    std::string got;
    std::thread reader([&] {
        const int fd = ::accept(listener, nullptr, nullptr);
        got = readAllFrom(fd);
        ::close(fd);
    });
    // In pieces, more than the socket holds at once: sent in parts, some ending inside a piece.
    std::vector<std::string> pieces;
    for (int i = 0; i < 2000; ++i) pieces.push_back(std::to_string(i) + std::string(1000, 'x'));
    const std::vector<std::string_view> views(pieces.begin(), pieces.end());
    writeFileAtomically(path, views);
    reader.join();
    ::close(listener);
    EXPECT_EQ(got, joinPieces(pieces));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
}

// A copy of the null device in a private folder (making one needs root).
TEST(SpecialTargets, CharacterDeviceIsWrittenIntoAndKept)
{
    TempFolder folder;
    const fs::path device = folder.file("null");
    if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node here";
    writeFileAtomically(device, "the book");
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

// Names up to the limit are written (the temporary name is shortened, not the target's);
// one past it fails with the name in the message and leaves nothing behind.
TEST(SpecialTargets, NamesUpToTheLimitAreWritten)
{
    TempFolder folder;
    const long limit = ::pathconf(folder.path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 8);
    for (long length : {limit - 8, limit - 7, limit - 1, limit}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(static_cast<std::size_t>(length) - 4, 'b') + ".fb2";
        writeFileAtomically(folder.file(name), "the book");
        EXPECT_EQ(readFileBytes(folder.file(name)), "the book");
        fs::remove(folder.file(name));
        EXPECT_EQ(entriesIn(folder.path()), 0u);
    }
    // A name of two-byte letters is shortened at a letter's boundary.
    std::string cyrillic;
    while (cyrillic.size() + 2 + 4 <= static_cast<std::size_t>(limit)) cyrillic += "\xd0\xb1";
    writeFileAtomically(folder.file(cyrillic + ".fb2"), "x");
    EXPECT_EQ(readFileBytes(folder.file(cyrillic + ".fb2")), "x");
    fs::remove(folder.file(cyrillic + ".fb2"));

    const std::string tooLong(static_cast<std::size_t>(limit) + 1, 'c');
    try {
        writeFileAtomically(folder.file(tooLong), "x");
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(tooLong), std::string::npos);
    }
    EXPECT_EQ(entriesIn(folder.path()), 0u);
}

}  // namespace
}  // namespace vellumar

namespace vellumar {
namespace {

// A book, new or written over an old one, gets the mode of any new document: 0666 less the
// umask, whatever mode the old file had.
TEST(SpecialTargets, BooksTakeTheModeTheUmaskGives)
{
    TempFolder folder;
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{0}}) {
        SCOPED_TRACE(mask);
        const mode_t before = ::umask(mask);
        const fs::path book = folder.file("book.fb2");
        writeFileAtomically(book, "new");
        ::chmod(book.c_str(), 0600);
        writeFileAtomically(book, "over the old one");
        ::umask(before);
        struct stat info {};
        ASSERT_EQ(::stat(book.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
        EXPECT_EQ(readFileBytes(book), "over the old one");
        EXPECT_EQ(entriesIn(folder.path()), 1u);
        fs::remove(book);
    }
}

}  // namespace
}  // namespace vellumar
