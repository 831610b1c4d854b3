#include "pixels/picture_file.h"

#include "files/temp_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vellumar {
namespace {

namespace fs = std::filesystem;

std::string patterned(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

// Whole files and their starts, around the read sizes and the limit.
TEST(PictureFile, ReadsWholeFilesAndStartsUpToTheLimit)
{
    TempFolder folder;
    constexpr std::size_t kLimit = 65536;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096}, std::size_t{4097},
                             kLimit - 1, kLimit, kLimit + 1, 3 * kLimit + 17}) {
        SCOPED_TRACE(size);
        const fs::path path = folder.file("p" + std::to_string(size) + ".png");
        const std::string bytes = patterned(size);
        test::writeBytes(path, bytes);
        EXPECT_EQ(readPictureFile(path), bytes);
        EXPECT_EQ(readPictureFileStart(path, kLimit), bytes.substr(0, kLimit));
    }
}

TEST(PictureFile, WhatIsNoRegularFileIsNothingToRead)
{
    TempFolder folder;
    fs::create_directories(folder.file("folder.png"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.png").c_str(), 0600), 0);  // must not block
    test::writeBytes(folder.file("file.png"), "x");
    for (const char* name : {"missing.png", "folder.png", "pipe.png", "file.png/below.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(readPictureFile(folder.file(name)), std::nullopt);
        EXPECT_EQ(readPictureFileStart(folder.file(name), 16), std::nullopt);
    }
}

}  // namespace
}  // namespace vellumar
