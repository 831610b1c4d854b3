#include "pictures/picture_lookup.h"

#include "files/temp_folder.h"
#include "encodings/text_encoding.h"
#include "pictures/picture_embedder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

namespace vellumar {
namespace {

namespace fs = std::filesystem;

// A src as the converter holds it: windows-1251 bytes, letters it lacks as references.
std::string cp1251(std::string_view utf8) { return utf8ToWindows1251(utf8); }

class PictureLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"Книга_files/image001.jpg", "рисунок.jpg", "Pics/Image001.JPG", "My Book_files/a b.png",
                                 "café.png", "Фото/Снимок.PNG", "100%.png", "a&b.png"})
            put(name);
        // A file made on this machine from a windows-1251 name: its name is those bytes.
        put(cp1251("старый.jpg"));
    }
    void put(const std::string& name)
    {
        const fs::path path = m_folder.file(name);
        fs::create_directories(path.parent_path());
        test::writeBytes(path, name);
    }
    std::string find(std::string_view src)
    {
        const fs::path found = findPictureFile(src, m_folder.path());
        return found.empty() ? std::string("(none)") : fs::relative(found, m_folder.path()).string();
    }

    TempFolder m_folder;
};

TEST_F(PictureLookup, FindsPicturesAsTheirPagesNameThem)
{
    struct Case {
        std::string src;
        std::string found;
    };
    const std::string absolute = m_folder.path().string();
    const Case cases[] = {
        {cp1251("Книга_files/image001.jpg"), "Книга_files/image001.jpg"},
        {cp1251("рисунок.jpg"), "рисунок.jpg"},
        {cp1251("старый.jpg"), cp1251("старый.jpg")},
        {cp1251("café.png"), "café.png"},  // é is a reference in windows-1251 text
        {"pics/image001.jpg", "Pics/Image001.JPG"},
        {"PICS\\IMAGE001.jpg", "Pics/Image001.JPG"},
        {cp1251("фото/снимок.png"), "Фото/Снимок.PNG"},
        {cp1251("КНИГА_FILES/Image001.JPG"), "Книга_files/image001.jpg"},
        {"My%20Book_files/a%20b.png", "My Book_files/a b.png"},
        {"my%20book_files/A%20B.PNG", "My Book_files/a b.png"},
        {"%D1%80%D0%B8%D1%81%D1%83%D0%BD%D0%BE%D0%BA.jpg", "рисунок.jpg"},  // UTF-8 escapes
        {"%F0%E8%F1%F3%ED%EE%EA.jpg", "рисунок.jpg"},                      // windows-1251 escapes
        {"100%.png", "100%.png"},
        {"a&amp;b.png", "a&b.png"},
        {"file://" + absolute + "/My%20Book_files/a%20b.png", "My Book_files/a b.png"},
        {"FILE://localhost" + absolute + "/pics/image001.jpg", "Pics/Image001.JPG"},
        {"file:" + absolute + "/caf%C3%A9.png", "café.png"},
        {"Pics", "(none)"},  // a folder is no picture
        {"missing.jpg", "(none)"},
        {"file://" + absolute + "/missing.jpg", "(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.src);
        EXPECT_EQ(find(c.src), c.found);
    }
}

TEST_F(PictureLookup, TheExactNameWinsOverOneThatDiffersInCase)
{
    put("Pics/image001.jpg");
    EXPECT_EQ(find("Pics/Image001.JPG"), "Pics/Image001.JPG");
    EXPECT_EQ(find("Pics/image001.jpg"), "Pics/image001.jpg");
    EXPECT_EQ(find("pics/IMAGE001.jpg"), "Pics/Image001.JPG") << "the first in name order";
}

TEST_F(PictureLookup, PicturesFoundSoKeepTheIdsOfTheirSrc)
{
    test::writeBytes(m_folder.file("Книга_files/image001.jpg"), test::jpegBytes(8, 8, JCS_RGB, 0x808080));
    PictureEmbedder embedder(ConversionOptions{}, m_folder.path());
    std::string body;
    std::string binaries;
    embedder.beginConversion();
    embedder.embedPicture(cp1251("Книга_files/Image001.JPG"), body, binaries);
    embedder.embedPicture(cp1251("книга_files/image001.jpg"), body, binaries);
    binaries = joinPieces(embedder.completeBinaries(std::move(binaries)));
    embedder.endConversion();
    // One file: one binary element; the id comes from the src, as always.
    EXPECT_EQ(body, "<image xlink:href=\"#image001.jpg\"/><image xlink:href=\"#image001.jpg\"/>");
    EXPECT_EQ(binaries.find("<binary", 1), std::string::npos);
    EXPECT_EQ(binaries.find("<binary content-type=\"image/jpeg\" id=\"image001.jpg\">"), 0u);
}

TEST(PictureFileSpellings, MostLiteralFirstAndNoneTwice)
{
    EXPECT_EQ(pictureFileSpellings("a.jpg"), (std::vector<std::string>{"a.jpg"}));
    EXPECT_EQ(pictureFileSpellings("a\\b%20c.jpg"),
              (std::vector<std::string>{"a\\b%20c.jpg", "a/b%20c.jpg", "a\\b c.jpg", "a/b c.jpg"}));
    EXPECT_EQ(pictureFileSpellings(cp1251("я.png")), (std::vector<std::string>{cp1251("я.png"), "я.png"}));
    EXPECT_EQ(pictureFileSpellings("file:///x/%41.png"), (std::vector<std::string>{"/x/A.png"}));
    EXPECT_EQ(foldFileNameCase("ÉTÉ Фото ABC"), "été фото abc");
    EXPECT_EQ(foldFileNameCase(cp1251("Фото")), cp1251("Фото")) << "bytes that are not UTF-8 stay";
}

}  // namespace
}  // namespace vellumar
