// vellumar-convert with pictures: the size options, folders, and undecodable pictures.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/convert_program.h"
#include "files/file_io.h"
#include "pictures/base64.h"
#include "pixels/jpeg_codec.h"
#include "pixels/picture_file.h"
#include "support/xml_check.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

RgbImage photo(int width, int height)
{
    RgbImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7 % 251);
    return image;
}

class PicturesCli : public testing::ConvertProgramTest {
protected:
    void SetUp() override
    {
        ConvertProgramTest::SetUp();
        fs::create_directories(m_dir / "doc" / "pics");
        writeJpeg(photo(1200, 900), m_dir / "doc" / "pics" / "a.jpg");
        write("doc/book.html", "<html><body><p>Look <img src=\"pics/a.jpg\" alt=\"x\"> here</p></body></html>\n");
    }
    // Runs in m_dir (not the document's folder); returns the exit status, stderr in m_err.
    int run(const std::string& args)
    {
        const testing::Outcome outcome = ConvertProgramTest::run(args);
        m_err = outcome.err;
        return outcome.status;
    }
    // The embedded picture's bytes of the binary with this id in the book, or "".
    std::string embedded(const std::string& fb2, const std::string& id)
    {
        const std::string open = "id=\"" + id + "\">";
        const std::size_t start = fb2.find(open);
        if (start == std::string::npos) return {};
        const std::size_t end = fb2.find("\r\n</binary>", start);
        return decodeBase64(std::string_view(fb2).substr(start + open.size(), end - start - open.size())).value_or("");
    }

    std::string m_err;
};

TEST_F(PicturesCli, ShrinksIntoTheBoxTheOptionsGive)
{
    ASSERT_EQ(run("doc/book.html"), 0) << m_err;
    std::string fb2 = read("doc/book.fb2");
    EXPECT_EQ(testing::xmlProblem(fb2), "");
    EXPECT_NE(fb2.find("<image xlink:href=\"#a~temp.jpg\"/>"), std::string::npos);
    EXPECT_EQ(readJpegSize(embedded(fb2, "a~temp.jpg"), "a~temp.jpg"), (PictureSize{580, 435}));

    ASSERT_EQ(run("--max-width 200 --max-height 100 -o small.fb2 doc/book.html"), 0) << m_err;
    EXPECT_EQ(readJpegSize(embedded(read("small.fb2"), "a~temp.jpg"), "a~temp.jpg"), (PictureSize{133, 100}));

    ASSERT_EQ(run("--no-resize -o whole.fb2 doc/book.html"), 0) << m_err;
    EXPECT_EQ(embedded(read("whole.fb2"), "a.jpg"), read("doc/pics/a.jpg"));
    EXPECT_EQ(fs::directory_iterator(m_dir / "doc" / "pics")->path().filename(), "a.jpg");
}

TEST_F(PicturesCli, AnUndecodablePictureEndsThatInputWithItsName)
{
    write("doc/pics/broken.png", "not a png at all");
    write("doc/bad.html", "<html><body><p><img src=\"pics/broken.png\"></p></body></html>\n");
    EXPECT_EQ(run("doc/bad.html doc/book.html"), 1);
    EXPECT_NE(m_err.find("pics/broken.png"), std::string::npos) << m_err;
    EXPECT_FALSE(fs::exists(m_dir / "doc" / "bad.fb2"));
    EXPECT_TRUE(fs::exists(m_dir / "doc" / "book.fb2")) << "the next input is still converted";
}

// A picture file larger than any picture of a book (sparse: it takes no disk) is left out with
// a warning naming it, without being read; the rest of the book comes out.
TEST_F(PicturesCli, AnOversizedPictureIsLeftOutWithAWarning)
{
    const fs::path huge = m_dir / "doc" / "pics" / "huge.png";
    write("doc/pics/huge.png", readFileBytes(m_dir / "doc" / "pics" / "a.jpg"));
    fs::resize_file(huge, kMaxPictureBytes + 1);
    write("doc/big.html", "<html><body><p>Big <img src=\"pics/huge.png\"><img src=\"pics/a.jpg\"></p></body></html>\n");
    EXPECT_EQ(run("doc/big.html"), 0) << m_err;
    EXPECT_NE(m_err.find("warning: picture 'pics/huge.png' left out: doc/pics/huge.png is larger than " +
                         std::to_string(kMaxPictureBytes) + " bytes"),
              std::string::npos)
        << m_err;
    const std::string fb2 = readFileBytes(m_dir / "doc" / "big.fb2");
    EXPECT_EQ(fb2.find("huge"), std::string::npos);
    EXPECT_NE(fb2.find("<binary"), std::string::npos);
}

// A picture file of a kind no book embeds is left out with a warning naming it; the rest of the
// book comes out as before.
TEST_F(PicturesCli, PicturesOfKindsNoBookTakesAreLeftOutWithAWarning)
{
    const std::string jpeg = readFileBytes(m_dir / "doc" / "pics" / "a.jpg");
    const struct {
        const char* name;
        const char* why;
    } cases[] = {
        {"w3c_home", "its name has no extension"},
        {"plan.bmp", "pictures named '.bmp' are not embedded"},
        {"plan.webp", "pictures named '.webp' are not embedded"},
        {"plan.svg", "pictures named '.svg' are not embedded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(std::string("doc/pics/") + c.name, jpeg);
        write("doc/odd.html", std::string("<html><body><p><img src=\"pics/") + c.name +
                                  "\"><img src=\"pics/a.jpg\"></p></body></html>\n");
        EXPECT_EQ(run("doc/odd.html"), 0) << m_err;
        EXPECT_NE(m_err.find(std::string("warning: picture 'pics/") + c.name + "' left out: " + c.why),
                  std::string::npos)
            << m_err;
        const std::string fb2 = readFileBytes(m_dir / "doc" / "odd.fb2");
        EXPECT_EQ(fb2.find(c.name), std::string::npos);
        EXPECT_NE(fb2.find("<binary"), std::string::npos);
    }
}

}  // namespace
}  // namespace vellumar
