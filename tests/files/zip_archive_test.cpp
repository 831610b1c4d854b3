// A book zipped alone, and what reading a zip refuses: archives of the wrong shape, damage,
// sizes past the limit (whatever the header claims) and names that try to be paths.

#include "files/zip_archive.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vellumar {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// An archive made with the library directly: any names, any number of entries.
std::string archiveOf(const Entries& entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    zip_source_keep(target);
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        zip_file_add(archive, name.c_str(), source, 0);
    }
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(target, &stat);
    std::string bytes(stat.size, '\0');
    zip_source_open(target);
    zip_source_read(target, bytes.data(), bytes.size());
    zip_source_close(target);
    zip_source_free(target);
    return bytes;
}

std::string unzipped(const std::string& zip, std::size_t limit = 1 << 20)
{
    try {
        return unzipBook(zip, limit);
    } catch (const ZipError& error) {
        return std::string("error: ") + error.what();
    }
}

void putLittleEndian32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

TEST(ZipArchive, OneBookRoundTripsFromItsPieces)
{
    const std::string body(100000, 'x');
    const std::string_view pieces[] = {"<?xml version=\"1.0\"?>", "", body, "</FictionBook>"};
    const std::string zip = zipOneFile("Book.fb2", pieces);
    ASSERT_TRUE(looksLikeZip(zip));
    EXPECT_LT(zip.size(), 2000u) << "deflated";
    EXPECT_EQ(unzipped(zip), std::string("<?xml version=\"1.0\"?>") + body + "</FictionBook>");
    // The entry carries the name it was given.
    EXPECT_NE(zip.find("Book.fb2"), std::string::npos);
}

TEST(ZipArchive, WhichEntryIsTheBook)
{
    struct Case {
        const char* name;
        Entries entries;
        std::string expected;
    };
    const Case cases[] = {
        {"one entry of any name", {{"book.txt", "A"}}, "A"},
        {"the one .fb2 among others", {{"cover.jpg", "J"}, {"Book.FB2", "B"}, {"notes.txt", "N"}}, "B"},
        {"a path in the name is only a name", {{"../../etc/x.fb2", "P"}, {"a.txt", "T"}}, "P"},
        {"two books", {{"a.fb2", "A"}, {"b.fb2", "B"}}, "error: the zip archive holds more than one .fb2 book"},
        {"no book", {{"a.txt", "A"}, {"b.txt", "B"}}, "error: the zip archive holds no .fb2 book"},
        {"empty", {}, "error: "},
    };
    for (const Case& c : cases) {
        const std::string result = unzipped(archiveOf(c.entries));
        if (c.expected == "error: ")
            EXPECT_TRUE(result.starts_with("error: ")) << c.name << ": " << result;
        else
            EXPECT_EQ(result, c.expected) << c.name;
    }
}

TEST(ZipArchive, RefusesDamageAndSizesPastTheLimit)
{
    const std::string zeros(4 << 20, '\0');
    const std::string_view bomb[] = {zeros};
    const std::string zip = zipOneFile("big.fb2", bomb);
    ASSERT_LT(zip.size(), 10000u);
    EXPECT_EQ(unzipped(zip, zeros.size()).size(), zeros.size());
    EXPECT_TRUE(unzipped(zip, 1 << 20).starts_with("error: the book in the zip archive is larger than"));

    // Headers that claim 100 bytes for the 4 MiB entry: the reading still stops at the limit.
    std::string forged = zip;
    putLittleEndian32(forged, 22, 100);  // the local header's size
    const std::size_t central = forged.find(std::string_view("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    putLittleEndian32(forged, central + 24, 100);  // the central directory's size
    EXPECT_TRUE(unzipped(forged, 1 << 20).starts_with("error: ")) << unzipped(forged, 1 << 20).substr(0, 80);

    const std::string_view text[] = {"<FictionBook>some text that is long enough to deflate</FictionBook>"};
    std::string damaged = zipOneFile("a.fb2", text);
    damaged[40] = static_cast<char>(damaged[40] ^ 0x55);  // inside the deflated data
    EXPECT_TRUE(unzipped(damaged).starts_with("error: "));
    EXPECT_TRUE(unzipped(zip.substr(0, zip.size() / 2)).starts_with("error: not a readable zip archive"));
    EXPECT_FALSE(looksLikeZip("<?xml"));
}

TEST(ZipArchive, EntryNameFollowsTheZipsName)
{
    struct Case {
        const char* zip;
        const char* expected;
    };
    const Case cases[] = {
        {"out/Book.fb2.zip", "Book.fb2"},
        {"Книга.FB2.ZIP", "Книга.FB2"},
        {"book.zip", "input.fb2"},
        {"-", "input.fb2"},
        {"", "input.fb2"},
        {"dir.fb2/x.bin", "input.fb2"},
    };
    for (const Case& c : cases) EXPECT_EQ(zipEntryName(c.zip, "input.fb2"), c.expected) << c.zip;
}

}  // namespace
}  // namespace vellumar
