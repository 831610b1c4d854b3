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
    writeFileAtomically(fifo, "the book", Durability::SyncToDisk, TargetNaming::NamedByUser);
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

// Makes `folder` the current one for as long as it lives.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : m_was(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(m_was); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path m_was;
};

// A relative name is followed from the current folder, ".." and links included, and no
// temporary file is left anywhere.
TEST(SpecialTargets, RelativeNamesLeadWhereTheySay)
{
    TempFolder folder;
    fs::create_directories(folder.file("shelf/inner"));
    fs::create_symlink("../linked.fb2", folder.file("shelf/link.fb2"));
    fs::create_symlink("inner", folder.file("shelf/in"));
    struct Case {
        const char* named;    // from the folder "shelf"
        const char* written;  // from the top folder
    };
    const Case cases[] = {
        {"book.fb2", "shelf/book.fb2"},          {"../top.fb2", "top.fb2"},
        {"./inner/../b.fb2", "shelf/b.fb2"},     {"link.fb2", "linked.fb2"},
        {"../shelf/up.fb2", "shelf/up.fb2"},     {"in/../via-link.fb2", "shelf/via-link.fb2"},
        {"in/deep.fb2", "shelf/inner/deep.fb2"},
    };
    {
        const InFolder here(folder.file("shelf"));
        for (const Case& c : cases) writeFileAtomically(c.named, std::string("book ") + c.named);
    }
    for (const Case& c : cases) EXPECT_EQ(readFileBytes(folder.file(c.written)), std::string("book ") + c.named);
    EXPECT_TRUE(fs::is_symlink(folder.file("shelf/link.fb2")));
    EXPECT_EQ(entriesIn(folder.path()), 3u);         // shelf, top.fb2, linked.fb2
    EXPECT_EQ(entriesIn(folder.file("shelf")), 7u);  // inner, link.fb2, in and four books
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
    writeFileAtomically(path, views, Durability::SyncToDisk, TargetNaming::NamedByUser);
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
    writeFileAtomically(device, "the book", Durability::SyncToDisk, TargetNaming::NamedByUser);
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

// A new book gets the mode of any new document, 0666 less the umask; a book of the user's own
// written over keeps its permission bits (a read-only one stays read-only); one of another
// user's, replaced by root, does not pass its mode on.
TEST(SpecialTargets, ReplacedBooksKeepTheModeOfTheUsersOwn)
{
    TempFolder folder;
    struct Case {
        mode_t mask;
        mode_t old;   // 0: no old book
        uid_t owner;  // of the old book
        mode_t expected;
    };
    const uid_t me = ::geteuid();
    const Case cases[] = {
        {022, 0, me, 0644},    {077, 0, me, 0600},    {0, 0, me, 0666},         {022, 0444, me, 0444},
        {022, 0600, me, 0600}, {077, 0664, me, 0664}, {022, 0600, 12345, 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mask) + " " + std::to_string(c.old) + " " + std::to_string(c.owner));
        if (c.owner != me && me != 0) continue;  // only root can give a file away
        const mode_t before = ::umask(c.mask);
        const fs::path book = folder.file("book.fb2");
        if (c.old != 0) {
            writeFileAtomically(book, "old");
            ASSERT_EQ(::chmod(book.c_str(), c.old), 0);
            ASSERT_EQ(::chown(book.c_str(), c.owner, static_cast<gid_t>(-1)), 0);
        }
        writeFileAtomically(book, "over the old one");
        ::umask(before);
        struct stat info {};
        ASSERT_EQ(::stat(book.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.expected);
        EXPECT_EQ(readFileBytes(book), "over the old one");
        EXPECT_EQ(entriesIn(folder.path()), 1u);
        fs::remove(book);
    }
}

// What another user can plant at a book's name in a shared folder (sticky and world-writable,
// as /tmp), and nodes the program must not write into unless the user named them.
class PlantedTargets : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to stand for another user";
        m_shared = m_folder.file("shared");
        fs::create_directory(m_shared);
        ASSERT_EQ(::chmod(m_shared.c_str(), 01777), 0);
        m_private = m_folder.file("private");
        fs::create_directory(m_private);
        ASSERT_EQ(::chmod(m_private.c_str(), 0700), 0);
        m_notes = m_private / "notes.txt";
        writeFileAtomically(m_notes, "my notes");
        ASSERT_EQ(::chmod(m_notes.c_str(), 0600), 0);
    }
    // A symbolic link at `at` to `to`, owned by `owner`.
    static void plantLink(const fs::path& to, const fs::path& at, uid_t owner)
    {
        fs::create_symlink(to, at);
        ASSERT_EQ(::lchown(at.c_str(), owner, owner), 0);
    }
    void expectNotesUntouched() const
    {
        EXPECT_EQ(readFileBytes(m_notes), "my notes");
        struct stat info {};
        ASSERT_EQ(::stat(m_notes.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    static std::string errorWriting(const fs::path& path, TargetNaming naming = TargetNaming::Derived)
    {
        try {
            writeFileAtomically(path, "the book", Durability::SyncToDisk, naming);
        } catch (const FileError& e) {
            return e.what();
        }
        return "";
    }

    static constexpr uid_t kOther = 12345;
    TempFolder m_folder;
    fs::path m_shared, m_private, m_notes;
};

TEST_F(PlantedTargets, AnotherUsersLinkInASharedFolderIsNotFollowed)
{
    struct Case {
        const char* name;
        uid_t linkOwner;
        uid_t folderOwner;
        mode_t folderMode;
        bool followed;
    };
    const Case cases[] = {
        {"another user's link in a shared folder", kOther, 0, 01777, false},
        {"the user's own link in a shared folder", 0, 0, 01777, true},
        {"the folder owner's link", kOther, kOther, 01777, true},
        {"another user's link in a folder that is not sticky", kOther, 0, 0777, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(::chown(m_shared.c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(m_shared.c_str(), c.folderMode), 0);
        const fs::path chapter = m_shared / "chapter.fb2";
        plantLink(m_notes, chapter, c.linkOwner);
        const std::string error = errorWriting(chapter);
        if (c.followed) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(readFileBytes(m_notes), "the book");
            writeFileAtomically(m_notes, "my notes");
        } else {
            EXPECT_NE(error.find("belongs to another user in a shared folder"), std::string::npos) << error;
            EXPECT_NE(error.find("chapter.fb2"), std::string::npos) << error;
            expectNotesUntouched();
        }
        EXPECT_TRUE(fs::is_symlink(chapter));
        fs::remove(chapter);
    }
}

// A link is checked wherever it stands on the way, not only as the last part of the name.
TEST_F(PlantedTargets, AnotherUsersLinkOnTheWayIsNotFollowed)
{
    plantLink(m_private, m_shared / "books", kOther);
    const std::string error = errorWriting(m_shared / "books" / "notes.txt");
    EXPECT_NE(error.find("belongs to another user in a shared folder"), std::string::npos) << error;
    expectNotesUntouched();
}

// A relative name meets the same checks as the absolute one.
TEST_F(PlantedTargets, RelativeNamesAreCheckedAsAbsoluteOnes)
{
    plantLink(m_notes, m_shared / "chapter.fb2", kOther);
    plantLink(m_private, m_shared / "books", kOther);
    const InFolder here(m_shared);
    for (const char* named :
         {"chapter.fb2", "./chapter.fb2", "../shared/chapter.fb2", "books/notes.txt", "../shared/books/notes.txt"}) {
        const std::string error = errorWriting(named);
        EXPECT_NE(error.find("belongs to another user in a shared folder"), std::string::npos)
            << named << ": " << error;
    }
    expectNotesUntouched();
}

// Nodes that are no regular file: a block device is never written; a character device, FIFO or
// socket only when the user named it. Devices with no driver behind them stand for real ones.
TEST_F(PlantedTargets, SpecialFilesAreWrittenOnlyWhenNamed)
{
    struct Case {
        const char* name;
        mode_t type;
        TargetNaming naming;
        const char* error;
    };
    const Case cases[] = {
        {"block device named", S_IFBLK, TargetNaming::NamedByUser, "it is a block device, which is never written"},
        {"block device derived", S_IFBLK, TargetNaming::Derived, "it is a block device, which is never written"},
        {"character device derived", S_IFCHR, TargetNaming::Derived, "it is a character device, which is written only"},
        {"FIFO derived", S_IFIFO, TargetNaming::Derived, "it is a FIFO, which is written only when named"},
        {"FIFO named, nobody reading", S_IFIFO, TargetNaming::NamedByUser, "it is a FIFO that no program reads from"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path node = m_shared / "book.fb2";
        ASSERT_EQ(::mknod(node.c_str(), c.type | 0666, makedev(240, 0)), 0);
        const std::string error = errorWriting(node, c.naming);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_NE(error.find("book.fb2"), std::string::npos) << error;
        struct stat info {};
        ASSERT_EQ(::lstat(node.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, c.type);
        EXPECT_EQ(entriesIn(m_shared), 1u);
        fs::remove(node);
    }
}

}  // namespace
}  // namespace vellumar
