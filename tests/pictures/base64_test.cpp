#include "pictures/base64.h"
#include "pictures/picture_texts.h"

#include "files/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace vellumar {
namespace {

struct Vector {
    std::string_view plain;
    std::string_view encoded;
};

// RFC 4648, section 10, plus groups that set every bit.
constexpr Vector kVectors[] = {
    {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFF\xFF\xFF", "////"},
    {std::string_view("\xFB\xEF\xBE\x00", 4), "++++AA=="},
};

void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST(Base64, MatchesTheStandardVectorsInMemoryAndFromFiles)
{
    TempFolder folder;
    for (const Vector& v : kVectors) {
        SCOPED_TRACE(v.encoded);
        EXPECT_EQ(encodeBase64(v.plain), v.encoded);
        const auto path = folder.file("vector.bin");
        writeFile(path, v.plain);
        EXPECT_EQ(encodeFileBase64(path), v.encoded);
        EXPECT_EQ(decodeBase64(v.encoded), std::string(v.plain));
    }
}

TEST(Base64, GroupEncoderPadsAndLeavesUnfilledBitsZero)
{
    const std::uint8_t bytes[3] = {'M', 'a', 'n'};
    const auto text = [](std::array<char, 4> group) { return std::string(group.data(), 4); };
    EXPECT_EQ(text(encodeBase64Group(bytes, 3)), "TWFu");
    EXPECT_EQ(text(encodeBase64Group(bytes, 2)), "TWE=");
    EXPECT_EQ(text(encodeBase64Group(bytes, 1)), "TQ==");
    const std::uint8_t ones[3] = {0xFF, 0xFF, 0xFF};
    EXPECT_EQ(text(encodeBase64Group(ones, 1)), "/w==");
    EXPECT_EQ(text(encodeBase64Group(ones, 2)), "//8=");
}

TEST(Base64, LongInputsStayOnOneLineAndRoundTrip)
{
    TempFolder folder;
    // Sizes around the encoder's 6-byte steps and a file larger than its 3 MiB read chunk.
    for (std::size_t size : {std::size_t{55}, std::size_t{7}, std::size_t{8}, std::size_t{9}, std::size_t{4096},
                             std::size_t{(3u << 20) + 2}}) {
        SCOPED_TRACE(size);
        const std::string bytes = randomBytes(size, static_cast<unsigned>(size));
        const auto path = folder.file("random.bin");
        writeFile(path, bytes);
        const std::string encoded = encodeFileBase64(path);
        EXPECT_EQ(encoded.size(), (size + 2) / 3 * 4);
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(encoded, encodeBase64(bytes));
        EXPECT_EQ(decodeBase64(encoded), bytes);
    }
}

TEST(Base64, BinaryElementOfBytesEncodesStraightIntoTheElement)
{
    for (const std::string_view bytes : {std::string_view(""), std::string_view("f"), std::string_view("foob"),
                                         std::string_view("\x89PNG\r\n\x1a\n\0\xff", 10)}) {
        EXPECT_EQ(binaryElementOfBytes("png", "a.png", bytes), binaryElement("png", "a.png", encodeBase64(bytes)))
            << bytes.size();
    }
    EXPECT_EQ(binaryElementOfBytes("jpeg", "b.jpg", "foo"),
              "<binary content-type=\"image/jpeg\" id=\"b.jpg\">Zm9v\r\n</binary>\r\n");
}

TEST(Base64, MissingFilesAndFoldersGiveAnEmptyText)
{
    TempFolder folder;
    EXPECT_EQ(encodeFileBase64(folder.file("absent.jpg")), "");
    EXPECT_EQ(encodeFileBase64(folder.path()), "");
    writeFile(folder.file("empty.jpg"), "");
    EXPECT_EQ(encodeFileBase64(folder.file("empty.jpg")), "");
}

TEST(Base64, DecoderSkipsWhiteSpaceAndRejectsMalformedText)
{
    EXPECT_EQ(decodeBase64("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(decodeBase64(" Zm9vYg "), "foob");  // padding may be left out
    for (std::string_view bad : {"Zm9v!", "Z", "Zm9vY", "Zg==Zg==", "Zg===", "=Zg", "Zm9=v"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(decodeBase64(bad).has_value());
    }
}

}  // namespace
}  // namespace vellumar
