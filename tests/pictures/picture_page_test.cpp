#include "pictures/picture_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <jpeglib.h>
#include <png.h>
#include <string>

#include "pictures/base64.h"
#include "pixels/jpeg_codec.h"
#include "pixels/picture_error.h"
#include "pixels/png_codec.h"
#include "support/test_pictures.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

struct Split {
    std::string contentType, id, bytes;
};

// The parts of a binary element, its base64 decoded.
Split splitBinary(const std::string& binary)
{
    const std::string typeStart = "<binary content-type=\"image/";
    const std::string idStart = "\" id=\"";
    const std::string tail = "\r\n</binary>\r\n";
    EXPECT_EQ(binary.rfind(typeStart, 0), 0u);
    EXPECT_TRUE(binary.ends_with(tail));
    const std::size_t idAt = binary.find(idStart);
    const std::size_t dataAt = binary.find("\">", idAt);
    Split split;
    split.contentType = binary.substr(typeStart.size(), idAt - typeStart.size());
    split.id = binary.substr(idAt + idStart.size(), dataAt - idAt - idStart.size());
    split.bytes = decodeBase64(binary.substr(dataAt + 2, binary.size() - tail.size() - dataAt - 2)).value_or("");
    return split;
}

class PicturePage : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_pictures.file(name);
        test::writeBytes(path, bytes);
        return path;
    }
    std::size_t filesInPictureFolder()
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_pictures.path()), {}));
    }

    TempFolder m_pictures;
    TempFolder m_copies;
    ConversionOptions m_options;
};

TEST_F(PicturePage, PicturesWithinTheBoxAreEncodedAsTheyAre)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* contentType;
    } cases[] = {
        {"Photo.JPG", test::jpegBytes(40, 30, JCS_RGB, 0x336699), "jpeg"},
        {"scan.jpeg", test::jpegBytes(40, 30, JCS_GRAYSCALE, 0x80), "jpeg"},
        {"Map.PNG", test::pngBytes(40, 30, PNG_FORMAT_RGB, 0xff00ff00), "png"},
        {"a&b\"c.png", test::pngBytes(4, 3, PNG_FORMAT_RGB, 0xff00ff00), "png"},
    };
    for (const auto& c : cases) {
        const fs::path path = write(c.name, c.bytes);
        const auto texts = loadPictureTexts(path, m_options, m_copies);
        ASSERT_TRUE(texts) << c.name;
        const std::string id = pictureIdFromFileName(c.name);
        EXPECT_EQ(texts->reference, "<image xlink:href=\"#" + id + "\"/>");
        const Split split = splitBinary(texts->binary);
        EXPECT_EQ(split.contentType, c.contentType) << c.name;
        EXPECT_EQ(split.id, id);
        EXPECT_EQ(split.bytes, c.bytes) << c.name;
    }
    EXPECT_EQ(pictureIdFromFileName("a&b\"c.png"), "a_b_c.png");
}

TEST_F(PicturePage, ALargePhotoIsShrunkIntoATempCopyThatNamesIt)
{
    const fs::path path = write("photo.jpg", encodeJpeg(test::gradientPicture(2000, 1000)));
    for (int load = 0; load < 2; ++load) {
        const auto texts = loadPictureTexts(path, m_options, m_copies);
        ASSERT_TRUE(texts);
        EXPECT_EQ(texts->reference, "<image xlink:href=\"#photo~temp.jpg\"/>");
        const Split split = splitBinary(texts->binary);
        EXPECT_EQ(split.id, "photo~temp.jpg");
        const PictureSize size = readJpegSize(split.bytes, "copy");
        EXPECT_EQ(size.width, 580);
        EXPECT_EQ(size.height, 290);
        EXPECT_EQ(test::readBytes(m_copies.file("photo~temp.jpg")), split.bytes);
        // The copy goes into the private folder: the user's folder holds only the photo.
        EXPECT_EQ(filesInPictureFolder(), 1u);
    }
}

TEST_F(PicturePage, ALargePngIsShrunkAsPng)
{
    const fs::path path = write("plan.png", encodePng(test::gradientPicture(600, 1400)));
    const auto texts = loadPictureTexts(path, m_options, m_copies);
    ASSERT_TRUE(texts);
    const Split split = splitBinary(texts->binary);
    EXPECT_EQ(split.id, "plan~temp.png");
    EXPECT_EQ(split.contentType, "png");
    const PictureSize size = readPngSize(split.bytes, "copy");
    EXPECT_EQ(size.height, 700);
    EXPECT_EQ(size.width, 300);
}

TEST_F(PicturePage, WithResizeOffTheFileIsEncodedUnchanged)
{
    const std::string bytes = encodeJpeg(test::gradientPicture(1200, 100));
    const fs::path path = write("wide.jpg", bytes);
    m_options.resize = false;
    const auto texts = loadPictureTexts(path, m_options, m_copies);
    ASSERT_TRUE(texts);
    const Split split = splitBinary(texts->binary);
    EXPECT_EQ(split.id, "wide.jpg");
    EXPECT_EQ(split.bytes, bytes);
}

TEST_F(PicturePage, ADamagedPictureIsAnErrorNamingTheFile)
{
    for (const char* name : {"broken.jpg", "broken.png", "empty.png"}) {
        const fs::path path = write(name, std::string(name) == "empty.png" ? "" : "this is no picture at all");
        try {
            loadPictureTexts(path, m_options, m_copies);
            ADD_FAILURE() << name << " was taken";
        } catch (const PictureError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
}

TEST_F(PicturePage, OtherKindsAndMissingFilesGiveNothing)
{
    EXPECT_FALSE(loadPictureTexts(write("anim.gif", test::gifBytes(8, 8)), m_options, m_copies));
    EXPECT_FALSE(loadPictureTexts(write("notes.txt", "text"), m_options, m_copies));
    EXPECT_FALSE(loadPictureTexts(m_pictures.file("missing.jpg"), m_options, m_copies));
}

}  // namespace
}  // namespace vellumar
