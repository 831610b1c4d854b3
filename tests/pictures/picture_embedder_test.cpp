#include "pictures/picture_embedder.h"

#include "base/ascii_case.h"
#include "files/temp_folder.h"
#include "pictures/base64.h"
#include "pixels/gif_codec.h"
#include "pixels/jpeg_codec.h"
#include "pixels/picture_error.h"
#include "pictures/picture_ids.h"
#include "pictures/picture_workers.h"
#include "pixels/png_codec.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <limits>
#include <set>
#include <thread>

#include "cleaning/recording_interaction.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;
using test::gradientPicture;

struct Binary {
    std::string contentType;
    std::string id;
    std::string bytes;
};

// Splits a binaries text into its elements; anything else in it fails the test.
std::vector<Binary> binariesOf(const std::string& text)
{
    constexpr std::string_view open = "<binary content-type=\"image/";
    constexpr std::string_view close = "\r\n</binary>\r\n";
    std::vector<Binary> found;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, open.size(), open) != 0) {
            ADD_FAILURE() << "unexpected text at " << at << ": " << text.substr(at, 80);
            break;
        }
        const std::size_t typeEnd = text.find('"', at + open.size());
        const std::size_t idStart = text.find("id=\"", typeEnd) + 4;
        const std::size_t idEnd = text.find("\">", idStart);
        const std::size_t end = text.find(close, idEnd);
        if (typeEnd == std::string::npos || idEnd == std::string::npos || end == std::string::npos) {
            ADD_FAILURE() << "unterminated binary element";
            break;
        }
        found.push_back({text.substr(at + open.size(), typeEnd - at - open.size()), text.substr(idStart, idEnd - idStart),
                         decodeBase64(std::string_view(text).substr(idEnd + 2, end - idEnd - 2)).value_or("not base64")});
        at = end + close.size();
    }
    return found;
}

std::string replaceAll(std::string text, std::string_view what, std::string_view with)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::string reference(std::string_view id) { return "<image xlink:href=\"#" + std::string(id) + "\"/>"; }

std::set<std::string> filesUnder(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string() + ":" +
                     std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
    return names;
}

PictureSize decodedSize(const Binary& binary)
{
    if (binary.contentType == "png") return readPngSize(binary.bytes, binary.id);
    return readJpegSize(binary.bytes, binary.id);
}

// A document folder with pictures, and an embedder resolving against it.
class Embedding : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder()); }

    fs::path folder() { return m_documents.path() / "Book_files"; }
    void writeJpeg(const std::string& name, int width, int height) { vellumar::writeJpeg(gradientPicture(width, height), m_documents.file(name)); }
    void writePng(const std::string& name, int width, int height) { vellumar::writePng(gradientPicture(width, height), m_documents.file(name)); }
    void write(const std::string& name, std::string_view bytes) { test::writeBytes(m_documents.file(name), bytes); }

    // Embeds every src in a fresh conversion; body and binaries end up in m_body, m_binaries.
    void run(std::initializer_list<std::string_view> sources, PictureWorkers* workers = nullptr)
    {
        PictureEmbedder embedder(m_options, m_documents.path(), workers);
        m_body.clear();
        m_binaries.clear();
        embedder.beginConversion();
        try {
            // What others append between pictures (table pictures) stays between them.
            for (std::string_view src : sources) {
                embedder.embedPicture(src, m_body, m_binaries);
                m_binaries += m_between;
            }
            m_binaries = joinPieces(embedder.completeBinaries(std::move(m_binaries)));
        } catch (...) {
            embedder.endConversion();
            throw;
        }
        embedder.endConversion();
    }

    ConversionOptions m_options;
    std::string m_between;
    TempFolder m_documents;
    std::string m_body;
    std::string m_binaries;
};

TEST_F(Embedding, ShrinksPicturesOverTheBoxIntoCopiesNamedTemp)
{
    struct Case {
        const char* src;
        int width, height;
        const char* id;
        const char* type;
        PictureSize embedded;
    };
    const Case cases[] = {
        {"Book_files/Wide.JPG", 581, 700, "wide.jpg", "jpeg", {580, 699}},      // a new name is free
        {"Book_files/square.jpg", 1000, 1000, "square~temp.jpg", "jpeg", {580, 580}},
        {"Book_files/equal.png", 1160, 1400, "equal~temp.png", "png", {580, 700}},
        {"Book_files/photo.jpg", 1200, 900, "photo~temp.jpg", "jpeg", {580, 435}},
        {"Book_files/big.jpeg", 6000, 4000, "big.jpg", "jpeg", {580, 387}},      // read at 1/4 scale
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.src);
        if (std::string_view(c.src).ends_with(".png")) writePng(c.src, c.width, c.height);
        else writeJpeg(c.src, c.width, c.height);
        const auto before = filesUnder(m_documents.path());
        run({c.src});
        EXPECT_EQ(m_body, reference(c.id));
        const std::vector<Binary> binaries = binariesOf(m_binaries);
        ASSERT_EQ(binaries.size(), 1u);
        EXPECT_EQ(binaries[0].id, c.id);
        EXPECT_EQ(binaries[0].contentType, c.type);
        EXPECT_EQ(decodedSize(binaries[0]), c.embedded);
        EXPECT_EQ(filesUnder(m_documents.path()), before) << "nothing written beside the document";
    }
}

TEST_F(Embedding, PicturesThatFitAndPicturesWithResizeOffAreEmbeddedByteForByte)
{
    writeJpeg("Book_files/fits.jpg", 580, 700);
    writeJpeg("Book_files/dot.jpg", 1, 1);
    writeJpeg("Book_files/huge.jpg", 2000, 1000);
    writePng("Book_files/huge.png", 1500, 800);
    run({"Book_files/fits.jpg", "Book_files/dot.jpg"});
    std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(binaries[0].bytes, test::readBytes(m_documents.file("Book_files/fits.jpg")));
    EXPECT_EQ(binaries[1].bytes, test::readBytes(m_documents.file("Book_files/dot.jpg")));

    m_options.resize = false;
    run({"Book_files/huge.jpg", "Book_files/huge.png"});
    EXPECT_EQ(m_body, reference("huge.jpg") + reference("huge.png"));
    binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(binaries[0].bytes, test::readBytes(m_documents.file("Book_files/huge.jpg")));
    EXPECT_EQ(binaries[1].bytes, test::readBytes(m_documents.file("Book_files/huge.png")));
}

TEST_F(Embedding, GifsBecomeJpegsAndATinyOneIsMadeTwoByTwo)
{
    write("Book_files/dot.gif", test::gifBytes(1, 1, -1, 1));
    write("Book_files/logo.gif", test::gifBytes(900, 300));
    write("Book_files/logo.jpg", "the user's own logo.jpg");
    run({"Book_files/dot.gif", "Book_files/logo.gif"});
    EXPECT_EQ(m_body, reference("dot.jpg") + reference("logo~temp.jpg"));
    std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(binaries[0].contentType, "jpeg");
    EXPECT_EQ(decodedSize(binaries[0]), (PictureSize{2, 2}));
    const RgbImage red = decodeJpeg(binaries[0].bytes, "dot.jpg");
    EXPECT_NEAR(red.pixels[0], 255, 8);
    EXPECT_NEAR(red.pixels[1], 0, 8);
    EXPECT_EQ(decodedSize(binaries[1]), (PictureSize{580, 193}));
    EXPECT_EQ(test::readBytes(m_documents.file("Book_files/logo.jpg")), "the user's own logo.jpg");

    m_options.resize = false;
    run({"Book_files/dot.gif", "Book_files/logo.gif"});
    binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(decodedSize(binaries[0]), (PictureSize{1, 1}));
    EXPECT_EQ(decodedSize(binaries[1]), (PictureSize{900, 300}));
}

TEST_F(Embedding, EachPictureIsOneBinaryInTheOrderFirstMet)
{
    writeJpeg("Book_files/a.jpg", 10, 10);
    writePng("Book_files/b.png", 10, 10);
    run({"Book_files/a.jpg", "Book_files/missing.jpg", "Book_files/b.png", "Book_files/a.jpg",
         "Book_files/missing.jpg", "./Book_files/b.png"});
    // The same file under another src is the same picture: its id again, no second binary.
    EXPECT_EQ(m_body, reference("a.jpg") + reference("b.png") + reference("a.jpg") + reference("b.png"));
    const std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(binaries[0].id, "a.jpg");
    EXPECT_EQ(binaries[1].id, "b.png");
}

TEST_F(Embedding, IdsComeFromTheSrcLowerCasedAndStayUnique)
{
    fs::create_directories(m_documents.file("a"));
    fs::create_directories(m_documents.file("b"));
    fs::create_directories(m_documents.file("pics"));
    writeJpeg("a/x.jpg", 8, 8);
    writeJpeg("b/x.jpg", 9, 9);
    writeJpeg("Book_files/Image001.JPG", 8, 8);
    writeJpeg("Book_files/photo.jpeg", 8, 8);
    writeJpeg("pics/in.jpg", 8, 8);
    writePng("Book_files/table1.png", 8, 8);
    write("Book_files/scan.bmp", "BM not embedded");
    run({"a/x.jpg", "b/x.jpg", "Book_files/Image001.JPG", "Book_files/photo.jpeg", "pics\\in.jpg",
         "Book_files/table1.png", "Book_files/scan.bmp", "http://example.com/a/x.jpg", "HTTPS://example.com/y.png",
         "ftp://host/z.gif", "data:image/svg+xml;base64,PHN2Zy8+"});
    const char* ids[] = {"x.jpg", "x~2.jpg", "image001.jpg", "photo.jpeg", "pics\\in.jpg", "table1~2.png"};
    std::string expectedBody;
    for (const char* id : ids) expectedBody += reference(id);
    EXPECT_EQ(m_body, expectedBody);
    const std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(binaries[i].id, ids[i]);
    EXPECT_EQ(binaries[3].contentType, "jpeg");
    EXPECT_EQ(decodedSize(binaries[1]), (PictureSize{9, 9})) << "x~2.jpg is the second file";
}

TEST_F(Embedding, PicturesInsideTheDocumentAreEmbeddedFromDataUrls)
{
    const std::string png = encodePng(gradientPicture(20, 10));
    const std::string bigJpeg = encodeJpeg(gradientPicture(1160, 800));
    const std::string gif = test::gifBytes(3, 3);
    const std::string pngUrl = "data:image/png;base64," + encodeBase64(png);
    const std::string jpegUrl = "DATA:image/JPEG;Base64," + encodeBase64(bigJpeg);
    const std::string gifUrl = "data:image/gif;base64,\r\n" + encodeBase64(gif);
    run({pngUrl, jpegUrl, pngUrl, gifUrl, "data:text/plain;base64,aGk=", "data:image/png,notbase64"});
    EXPECT_EQ(m_body, reference("inline~1.png") + reference("inline~2.jpg") + reference("inline~1.png") +
                          reference("inline~3.jpg"));
    const std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 3u);
    EXPECT_EQ(binaries[0].bytes, png);
    EXPECT_EQ(decodedSize(binaries[1]), (PictureSize{580, 400}));
    EXPECT_EQ(binaries[2].contentType, "jpeg");
    EXPECT_EQ(decodedSize(binaries[2]), (PictureSize{3, 3}));
}

TEST_F(Embedding, NeverTouchesTheUsersFilesAndCleansUpAfterItself)
{
    writeJpeg("Book_files/photo.jpg", 1200, 900);
    write("Book_files/photo~temp.jpg", "the user's own file");
    write("Book_files/logo.gif", test::gifBytes(20, 20));
    const auto before = filesUnder(m_documents.path());
    PictureEmbedder embedder(m_options, m_documents.path());
    embedder.beginConversion();
    embedder.embedPicture("Book_files/photo.jpg", m_body, m_binaries);
    embedder.embedPicture("Book_files/logo.gif", m_body, m_binaries);
    m_binaries = joinPieces(embedder.completeBinaries(std::move(m_binaries)));
    embedder.endConversion();
    EXPECT_EQ(m_body, reference("photo~temp.jpg") + reference("logo.jpg"));
    EXPECT_EQ(filesUnder(m_documents.path()), before);
    EXPECT_EQ(test::readBytes(m_documents.file("Book_files/photo~temp.jpg")), "the user's own file");
}

TEST_F(Embedding, UndecodablePicturesEndTheConversionWithTheirNameAndLeaveNothing)
{
    const std::string goodJpeg = encodeJpeg(gradientPicture(900, 900));
    const std::string goodPng = encodePng(gradientPicture(900, 900));
    const std::string goodGif = test::gifBytes(30, 30);
    write("Book_files/fine.gif", goodGif);
    struct Case {
        const char* src;
        std::string bytes;
    };
    const Case cases[] = {
        {"Book_files/cut.jpg", goodJpeg.substr(0, goodJpeg.size() / 2)},
        {"Book_files/cut.png", goodPng.substr(0, goodPng.size() / 2)},
        {"Book_files/cut.gif", goodGif.substr(0, goodGif.size() / 2)},
        {"Book_files/small-but-cut.jpg", encodeJpeg(gradientPicture(50, 50)).substr(0, 300)},
        {"Book_files/really-a-png.jpg", goodPng},
        {"Book_files/bomb.png", test::pngHeaderOnly(30000, 30000)},
        {"Book_files/text.gif", "hello"},
    };
    PictureWorkers two(2);
    for (const Case& c : cases) {
        write(c.src, c.bytes);
        SCOPED_TRACE(c.src);
        const auto before = filesUnder(m_documents.path());
        try {
            run({"Book_files/fine.gif", c.src}, &two);
            ADD_FAILURE() << "no error";
        } catch (const PictureError& error) {
            EXPECT_NE(std::string(error.what()).find(c.src), std::string::npos) << error.what();
        }
        EXPECT_EQ(filesUnder(m_documents.path()), before);
    }
    EXPECT_THROW(run({"data:image/png;base64,!!!!"}), PictureError);
    // With Resize off JPEG and PNG files are not decoded at all: carried as they are.
    m_options.resize = false;
    EXPECT_NO_THROW(run({"Book_files/cut.jpg"}));
    EXPECT_EQ(m_body, reference("cut.jpg"));
}

TEST_F(Embedding, WorkersGiveTheBookThatOnePictureAtATimeGives)
{
    writeJpeg("Book_files/big.jpg", 1400, 900);
    writePng("Book_files/big.png", 900, 1200);
    writeJpeg("Book_files/small.jpg", 30, 20);
    writePng("Book_files/small.png", 20, 30);
    write("Book_files/anim.gif", test::gifBytes(40, 40));
    const auto convert = [&](PictureWorkers& workers) {
        m_between = "<between/>";
        run({"Book_files/big.jpg", "Book_files/small.png", "Book_files/big.png", "Book_files/anim.gif",
             "Book_files/small.jpg", "Book_files/big.jpg", "Book_files/missing.png", "Book_files/big.png"},
            &workers);
        return std::pair(m_body, m_binaries);
    };
    PictureWorkers inTurn(1);
    PictureWorkers four(4);
    const auto expected = convert(inTurn);
    EXPECT_EQ(convert(four), expected);
    // With every worker busy while the walk runs, the pictures wait their turn and keep their places.
    for (int i = 0; i < 4; ++i)
        four.run(
            [] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                return std::string();
            },
            std::numeric_limits<std::size_t>::max());
    EXPECT_EQ(convert(four), expected);
    const std::vector<Binary> binaries = binariesOf(replaceAll(expected.second, "<between/>", ""));
    ASSERT_EQ(binaries.size(), 5u);
    EXPECT_EQ(binaries[0].id, "big~temp.jpg");
    EXPECT_EQ(binaries[4].id, "small.jpg");
    EXPECT_EQ(expected.second.substr(expected.second.size() - 3 * 10), "<between/><between/><between/>");

    // Of two pictures that cannot be decoded, the first in the book is the one reported.
    const std::string cut = encodePng(gradientPicture(900, 900));
    write("Book_files/cut1.png", cut.substr(0, cut.size() / 2));
    write("Book_files/cut2.png", cut.substr(0, cut.size() / 3));
    for (PictureWorkers* workers : {&inTurn, &four}) {
        try {
            run({"Book_files/big.png", "Book_files/cut1.png", "Book_files/cut2.png"}, workers);
            ADD_FAILURE() << "no error";
        } catch (const PictureError& error) {
            EXPECT_NE(std::string(error.what()).find("cut1.png"), std::string::npos) << error.what();
        }
    }
}

// A JPEG with two large application segments before its frame header, as cameras write.
std::string withLargeMetadata(const std::string& jpeg)
{
    std::string segments;
    for (int i = 0; i < 2; ++i) {
        segments += "\xFF\xE1\xFD\xE8";  // APP1, length 65000
        segments += std::string(65000 - 2, static_cast<char>('a' + i));
    }
    return jpeg.substr(0, 2) + segments + jpeg.substr(2);
}

TEST_F(Embedding, FrameHeadersFarIntoTheFileAreFound)
{
    const std::string small = withLargeMetadata(encodeJpeg(gradientPicture(40, 30)));
    write("Book_files/camera.jpg", small);
    write("Book_files/camera-big.jpg", withLargeMetadata(encodeJpeg(gradientPicture(1200, 800))));
    run({"Book_files/camera.jpg", "Book_files/camera-big.jpg"});
    EXPECT_EQ(m_body, reference("camera.jpg") + reference("camera-big~temp.jpg"));
    const std::vector<Binary> binaries = binariesOf(m_binaries);
    ASSERT_EQ(binaries.size(), 2u);
    EXPECT_EQ(binaries[0].bytes, small);
    EXPECT_EQ(decodedSize(binaries[1]), (PictureSize{580, 387}));
}

TEST_F(Embedding, RelativeSourcesResolveAgainstTheDocumentFolder)
{
    writeJpeg("Book_files/a.jpg", 8, 8);
    const fs::path absolute = m_documents.file("Book_files/a.jpg");
    run({absolute.string()});
    // The id of an absolute path is the part after its first "/".
    EXPECT_EQ(m_body, reference(asciiLower(absolute.string().substr(1))));
    PictureEmbedder elsewhere(m_options, m_documents.path() / "Book_files");
    std::string body, binaries;
    elsewhere.beginConversion();
    elsewhere.embedPicture("Book_files/a.jpg", body, binaries);
    elsewhere.embedPicture("a.jpg", body, binaries);
    binaries = joinPieces(elsewhere.completeBinaries(std::move(binaries)));
    elsewhere.endConversion();
    EXPECT_EQ(body, reference("a.jpg"));
}

// A picture that is not there (or is a folder, a FIFO) is left out with a warning naming its
// src and the path tried; the book still converts. Network addresses are left out silently.
TEST_F(Embedding, PicturesThatCannotBeFoundAreReported)
{
    writeJpeg("Book_files/there.jpg", 8, 8);
    fs::create_directories(m_documents.file("Book_files/folder.jpg"));
    ASSERT_EQ(::mkfifo(m_documents.file("Book_files/pipe.jpg").c_str(), 0600), 0);
    testing::RecordingInteraction user;
    PictureEmbedder embedder(m_options, m_documents.path(), nullptr, &user);
    std::string body, binaries;
    embedder.beginConversion();
    for (std::string_view src : {"Book_files/there.jpg", "Book_files/gone.jpg", "Book_files/folder.jpg",
                                 "Book_files/pipe.jpg", "http://example.org/a.jpg", "Book_files/\xe0.png",
                                 "Book_files/gone.jpg"})
        embedder.embedPicture(src, body, binaries);
    binaries = joinPieces(embedder.completeBinaries(std::move(binaries)));
    embedder.endConversion();
    EXPECT_EQ(body, reference("there.jpg"));
    const std::string folder = m_documents.path().string() + "/Book_files/";
    EXPECT_EQ(user.warnings, (std::vector<std::string>{
                                 "picture 'Book_files/gone.jpg' left out: no file " + folder + "gone.jpg",
                                 "picture 'Book_files/folder.jpg' left out: " + folder + "folder.jpg is a folder",
                                 "picture 'Book_files/pipe.jpg' left out: " + folder + "pipe.jpg is not a regular file",
                                 "picture 'Book_files/\xd0\xb0.png' left out: no file " + folder + "\xd0\xb0.png",
                             }));
}

}  // namespace
}  // namespace vellumar
