// Sources are read to a limit: a file or a stream past it is refused with a message naming
// it, never read until memory runs out; unreadable inputs say why.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "files/file_io.h"
#include "files/temp_folder.h"

namespace vellumar {
namespace {

std::string errorOf(auto&& read)
{
    try {
        read();
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

TEST(ReadingLimits, ATenByteSourceAtTheLimitsAroundIt)
{
    TempFolder folder;
    const auto file = folder.file("ten.html");
    writeFileAtomically(file, "0123456789");
    const std::string tooLarge = "cannot read '" + file.string() + "': it is larger than ";
    struct Case {
        std::size_t limit;
        std::string expected;  // the bytes, or the start of the error
    };
    const Case cases[] = {{0, tooLarge + "0 bytes"}, {9, tooLarge + "9 bytes"}, {10, "0123456789"}, {11, "0123456789"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        // A regular file, and the same bytes through a pipe (which has no size to look at first).
        std::string got;
        try {
            got = readFileBytes(file, c.limit);
        } catch (const FileError& e) {
            got = e.what();
        }
        EXPECT_EQ(got.substr(0, c.expected.size()), c.expected);
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], "0123456789", 10), 10);
        ::close(ends[1]);
        try {
            got = readBytesFrom(ends[0], "standard input", c.limit);
        } catch (const FileError& e) {
            got = e.what();
        }
        ::close(ends[0]);
        const std::string piped = c.limit < 10 ? "cannot read standard input: it is larger than" : "0123456789";
        EXPECT_EQ(got.substr(0, piped.size()), piped);
    }
}

TEST(ReadingLimits, AnEndlessStreamStopsAtTheLimit)
{
    const int zero = ::open("/dev/zero", O_RDONLY);
    ASSERT_GE(zero, 0);
    EXPECT_EQ(errorOf([&] { readBytesFrom(zero, "standard input", 1 << 20); }),
              "cannot read standard input: it is larger than 1048576 bytes, more than any book: not read");
    ::close(zero);
}

TEST(ReadingLimits, UnreadableInputsSayWhy)
{
    TempFolder folder;
    const int directory = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(errorOf([&] { readBytesFrom(directory, "standard input", 100); }),
              "cannot read standard input: Is a directory");
    ::close(directory);
    EXPECT_EQ(errorOf([&] { readBytesFrom(directory, "standard input", 100); }),
              "cannot read standard input: Bad file descriptor");
}

}  // namespace
}  // namespace vellumar
