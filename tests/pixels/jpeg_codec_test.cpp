#include "pixels/jpeg_codec.h"

#include "pixels/fit_to_box.h"
#include "pixels/picture_error.h"
#include "pixels/picture_scaling.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <jpeglib.h>

namespace vellumar {
namespace {

using test::gradientPicture;

double meanDifference(const RgbImage& a, const RgbImage& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
    return sum / static_cast<double>(a.pixels.size());
}

// The start-of-frame marker tells baseline (FFC0) from progressive (FFC2); the byte after the
// sizes is the number of components.
struct FrameHeader {
    int marker = 0;
    int height = 0;
    int width = 0;
    int components = 0;
};

FrameHeader frameHeader(const std::string& jpeg)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(jpeg[at]); };
        if (byte(i) == 0xFF && (byte(i + 1) == 0xC0 || byte(i + 1) == 0xC2))
            return {byte(i + 1), byte(i + 5) << 8 | byte(i + 6), byte(i + 7) << 8 | byte(i + 8), byte(i + 9)};
    }
    return {};
}

TEST(JpegCodec, EncodesColourBaselineAtQualityNinetyAndDecodesBack)
{
    const RgbImage picture = gradientPicture(200, 120);
    const std::string jpeg = encodeJpeg(picture);
    const FrameHeader frame = frameHeader(jpeg);
    EXPECT_EQ(frame.marker, 0xC0) << "baseline, not progressive";
    EXPECT_EQ(frame.components, 3) << "colour";
    EXPECT_EQ(frame.width, 200);
    EXPECT_EQ(frame.height, 120);
    EXPECT_EQ(readJpegSize(jpeg, "a.jpg"), (PictureSize{200, 120}));

    const RgbImage decoded = decodeJpeg(jpeg, "a.jpg");
    ASSERT_EQ(decoded.width, 200);
    ASSERT_EQ(decoded.height, 120);
    EXPECT_LT(meanDifference(decoded, picture), 5.0);
    EXPECT_GT(encodeJpeg(picture, 90).size(), encodeJpeg(picture, 50).size());
}

TEST(JpegCodec, ReducedDecodingKeepsThePictureAndRoundsSidesUp)
{
    const RgbImage picture = gradientPicture(803, 601);
    const std::string jpeg = encodeJpeg(picture);
    const RgbImage expected = scaleAreaAverage(picture, 100, 75);
    for (int reduction : {2, 4, 8}) {
        SCOPED_TRACE(reduction);
        const RgbImage reduced = decodeJpeg(jpeg, "a.jpg", reduction);
        EXPECT_EQ(reduced.width, (803 + reduction - 1) / reduction);
        EXPECT_EQ(reduced.height, (601 + reduction - 1) / reduction);
        // Shrunk to a common size, with the partial last column and row counted for their part,
        // it shows the original picture.
        const RgbImage b = scaleAreaAverageRegion(reduced, 803.0 / reduction, 601.0 / reduction, 100, 75);
        EXPECT_LT(meanDifference(expected, b), 1.5);
    }
}

// A shrink decodes at the largest reduction that leaves the picture at least as large as the
// box's size for it: never smaller, which would make the averaging enlarge it again.
TEST(JpegCodec, ShrinkDecodesAtTheLargestReductionThatKeepsTheTargetSize)
{
    for (int width = 300; width <= 9000; width += 97) {
        for (int height : {1, 250, 699, 701, 1400, 1401, 2803, 6000}) {
            const PictureSize size{width, height};
            const PictureSize target = fitToBox(width, height, 580, 700);
            const int reduction = jpegReductionFor(size, target);
            const auto reduced = [&](int r) { return PictureSize{(width + r - 1) / r, (height + r - 1) / r}; };
            const auto holds = [&](int r) {
                return reduced(r).width >= target.width && reduced(r).height >= target.height;
            };
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + ": " + std::to_string(reduction));
            EXPECT_TRUE(holds(reduction));
            if (reduction < 8) {
                EXPECT_FALSE(holds(2 * reduction));
            }
        }
    }
}

TEST(JpegCodec, TurnsGreyAndCmykPicturesIntoRgb)
{
    struct Case {
        const char* name;
        int space;
        std::uint32_t value;
        int r, g, b;
    };
    // libjpeg marks CMYK with the Adobe marker, whose samples are stored inverted, as
    // Photoshop writes them: 255 is no ink.
    const Case cases[] = {{"grey", JCS_GRAYSCALE, 0x80, 0x80, 0x80, 0x80},
                          {"cmyk white", JCS_CMYK, 0xFFFFFFFF, 255, 255, 255},
                          {"cmyk cyan", JCS_CMYK, 0x00FFFFFF, 0, 255, 255},
                          {"cmyk black", JCS_CMYK, 0xFFFFFF00, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RgbImage decoded = decodeJpeg(test::jpegBytes(16, 16, c.space, c.value), "kind.jpg");
        ASSERT_EQ(decoded.width, 16);
        EXPECT_NEAR(decoded.pixels[0], c.r, 3);
        EXPECT_NEAR(decoded.pixels[1], c.g, 3);
        EXPECT_NEAR(decoded.pixels[2], c.b, 3);
    }
    EXPECT_EQ(decodeJpeg(test::jpegBytes(40, 30, JCS_RGB, 0x336699, true), "p.jpg").width, 40);
}

void expectDecodeError(const std::string& bytes, const std::string& what)
{
    SCOPED_TRACE(what);
    try {
        decodeJpeg(bytes, "pics/broken.jpg");
        ADD_FAILURE() << "decoded without an error";
    } catch (const PictureError& error) {
        EXPECT_NE(std::string(error.what()).find("pics/broken.jpg"), std::string::npos) << error.what();
    }
}

TEST(JpegCodec, CorruptAndTruncatedFilesGiveAnErrorNamingThePicture)
{
    const std::string good = encodeJpeg(gradientPicture(160, 120));
    expectDecodeError("", "empty");
    expectDecodeError("\x89PNG\r\n\x1a\n", "other format");
    for (std::size_t keep : {std::size_t{2}, std::size_t{100}, std::size_t{400}, good.size() / 2, good.size() - 2})
        expectDecodeError(good.substr(0, keep), "truncated to " + std::to_string(keep));
    std::string noFrame = good;
    for (std::size_t i = 2; i + 1 < noFrame.size(); ++i)
        if (static_cast<unsigned char>(noFrame[i]) == 0xFF && static_cast<unsigned char>(noFrame[i + 1]) == 0xC0) {
            noFrame[i + 1] = static_cast<char>(0xCF);  // a frame type libjpeg does not know
            break;
        }
    expectDecodeError(noFrame, "unknown frame type");
}

std::string withFrameSize(std::string jpeg, int width, int height)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xC0) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 255);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 255);
            break;
        }
    return jpeg;
}

TEST(JpegCodec, RefusesHeadersAnnouncingHugePictures)
{
    const std::string small = encodeJpeg(gradientPicture(16, 16));
    expectDecodeError(withFrameSize(small, 30000, 30000), "900 million pixels");
    expectDecodeError(withFrameSize(small, 65000, 8), "side over 32767");
    // A header within the limits with far too little data is a plain truncation error.
    expectDecodeError(withFrameSize(small, 8000, 8000), "64 million pixels, a few bytes of data");
}

TEST(JpegCodec, WritesFilesWholeOrReportsThem)
{
    EXPECT_THROW(writeJpeg(gradientPicture(4, 4), "/nonexistent-folder/x.jpg"), PictureError);
}

}  // namespace
}  // namespace vellumar
