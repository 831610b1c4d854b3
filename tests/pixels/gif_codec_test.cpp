#include "pixels/gif_codec.h"

#include "pixels/picture_error.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(GifCodec, DecodesTheFirstFrameWithItsColoursAndTransparencyOnWhite)
{
    const RgbImage decoded = decodeGif(test::gifBytes(6, 5, 3), "a.gif");
    ASSERT_EQ(decoded.width, 6);
    ASSERT_EQ(decoded.height, 5);
    const std::uint8_t expected[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(decoded.row(y)[x * 3 + c], expected[(x + y) % 4][c]) << x << "," << y;
    // Without a transparent colour, colour 3 is the blue of the table.
    EXPECT_EQ(decodeGif(test::gifBytes(1, 1, -1, 3), "b.gif").pixels, (std::vector<std::uint8_t>{0, 0, 255}));
    EXPECT_EQ(readGifSize(test::gifBytes(7, 3), "c.gif"), (PictureSize{7, 3}));
}

void expectDecodeError(const std::string& bytes, const std::string& what)
{
    SCOPED_TRACE(what);
    try {
        decodeGif(bytes, "pics/broken.gif");
        ADD_FAILURE() << "decoded without an error";
    } catch (const PictureError& error) {
        EXPECT_NE(std::string(error.what()).find("pics/broken.gif"), std::string::npos) << error.what();
    }
}

TEST(GifCodec, CorruptTruncatedAndHugeFilesGiveAnErrorNamingThePicture)
{
    const std::string good = test::gifBytes(64, 48);
    expectDecodeError("", "empty");
    expectDecodeError("GIF89a", "signature only");
    expectDecodeError(std::string("\xFF\xD8\xFF\xE0", 4), "other format");
    for (std::size_t keep : {std::size_t{10}, std::size_t{13}, std::size_t{30}, good.size() / 2})
        expectDecodeError(good.substr(0, keep), "truncated to " + std::to_string(keep));
    std::string huge = good;
    huge[6] = huge[7] = huge[8] = huge[9] = static_cast<char>(0xFF);  // screen 65535 × 65535
    expectDecodeError(huge, "4 billion pixels");
    std::string noImage = good.substr(0, 13 + 4 * 3);  // header and colour table, then the end
    noImage.push_back(';');
    expectDecodeError(noImage, "no picture");
}

}  // namespace
}  // namespace vellumar
