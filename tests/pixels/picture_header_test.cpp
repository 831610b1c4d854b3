#include "pixels/picture_header.h"

#include "pixels/jpeg_codec.h"
#include "pixels/picture_error.h"
#include "pixels/png_codec.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>

namespace vellumar {
namespace {

using test::gradientPicture;

std::string corruptByte(std::string bytes, std::size_t at)
{
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    return bytes;
}

TEST(PictureHeader, SizesComeFromTheHeaderOfEveryKindTheCodecsWrite)
{
    struct Case {
        const char* name;
        std::string bytes;
        PictureFormat format;
        PictureSize size;
    };
    const Case cases[] = {
        {"baseline jpeg", encodeJpeg(gradientPicture(643, 211)), PictureFormat::Jpeg, {643, 211}},
        {"grey jpeg", test::jpegBytes(17, 900, JCS_GRAYSCALE, 80), PictureFormat::Jpeg, {17, 900}},
        {"progressive jpeg", test::jpegBytes(701, 3, JCS_RGB, 0x336699, true), PictureFormat::Jpeg, {701, 3}},
        {"cmyk jpeg", test::jpegBytes(40, 30, JCS_CMYK, 0x10203040), PictureFormat::Jpeg, {40, 30}},
        {"rgb png", encodePng(gradientPicture(1002, 541)), PictureFormat::Png, {1002, 541}},
        {"grey png", test::pngBytes(9, 7, PNG_FORMAT_GRAY, 0xFF0000FF), PictureFormat::Png, {9, 7}},
        {"grey alpha png", test::pngBytes(5, 600, PNG_FORMAT_GA, 0x808080A0), PictureFormat::Png, {5, 600}},
        {"gif", test::gifBytes(31, 2), PictureFormat::Gif, {31, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readHeaderSize(c.bytes, c.format, c.name), c.size);
        EXPECT_NO_THROW(checkPictureWhole(c.bytes, c.format, c.name));
    }
    // Bytes after the end of a JPEG (padding some cameras write) do not make it broken.
    EXPECT_NO_THROW(checkPictureWhole(encodeJpeg(gradientPicture(20, 20)) + std::string(100, '\0'),
                                      PictureFormat::Jpeg, "padded.jpg"));
}

TEST(PictureHeader, BrokenAndForeignFilesAreReportedByName)
{
    const std::string jpeg = encodeJpeg(gradientPicture(300, 200));
    const std::string png = encodePng(gradientPicture(300, 200));
    struct Case {
        const char* why;
        std::string bytes;
        PictureFormat format;
        bool headerReadable;  // readHeaderSize succeeds, only checkPictureWhole fails
    };
    const Case cases[] = {
        {"png named jpeg", png, PictureFormat::Jpeg, false},
        {"jpeg named png", jpeg, PictureFormat::Png, false},
        {"text named gif", "hello, world", PictureFormat::Gif, false},
        {"empty", "", PictureFormat::Jpeg, false},
        {"jpeg cut in its header", jpeg.substr(0, 12), PictureFormat::Jpeg, false},
        {"jpeg cut in its data", jpeg.substr(0, jpeg.size() / 2), PictureFormat::Jpeg, true},
        {"jpeg without its end marker", jpeg.substr(0, jpeg.size() - 2), PictureFormat::Jpeg, true},
        {"png cut in its header", png.substr(0, 20), PictureFormat::Png, false},
        {"png cut in its data", png.substr(0, png.size() / 2), PictureFormat::Png, true},
        {"png without IEND", png.substr(0, png.size() - 12), PictureFormat::Png, true},
        {"png with a damaged data byte", corruptByte(png, png.size() / 2), PictureFormat::Png, true},
        {"png of no pixels", test::pngHeaderOnly(0, 10), PictureFormat::Png, false},
        {"png over the size limit", test::pngHeaderOnly(30000, 30000), PictureFormat::Png, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.headerReadable) EXPECT_NO_THROW(readHeaderSize(c.bytes, c.format, "pics/broken"));
        else EXPECT_THROW(readHeaderSize(c.bytes, c.format, "pics/broken"), PictureError);
        try {
            checkPictureWhole(c.bytes, c.format, "pics/broken");
            ADD_FAILURE() << "no error";
        } catch (const PictureError& error) {
            EXPECT_NE(std::string(error.what()).find("pics/broken"), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace vellumar
