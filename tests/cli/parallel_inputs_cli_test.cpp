// Many INPUTs converted at once (-j) give the run that converting them one after another gives:
// the same progress lines, messages, exit status, standard output and files.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "cli/convert_program.h"
#include "pixels/jpeg_codec.h"
#include "pixels/png_codec.h"

namespace {

namespace fs = std::filesystem;

using vellumar::testing::Outcome;

vellumar::RgbImage stripes(int width, int height)
{
    vellumar::RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.row(y)[x * 3] = static_cast<std::uint8_t>((x / 7 + y / 5) % 2 * 200);
    return image;
}

std::string book(const std::string& body) { return "<html><body>\n" + body + "\n</body></html>\n"; }

class ParallelInputs : public vellumar::testing::ConvertProgramTest {
protected:
    // The same inputs in the folders "one" (converted with -j 1) and "many" (with -j 4).
    void writeBoth(const std::string& name, const std::string& bytes)
    {
        write("one/" + name, bytes);
        write("many/" + name, bytes);
    }
    void picturesBoth()
    {
        const std::string big = vellumar::encodePng(stripes(1300, 500));
        const std::string photo = vellumar::encodeJpeg(stripes(900, 1200));
        const std::string small = vellumar::encodePng(stripes(40, 30));
        for (const char* folder : {"one/", "many/"}) {
            write(std::string(folder) + "pics/big.png", big);
            write(std::string(folder) + "pics/photo.jpg", photo);
            write(std::string(folder) + "pics/small.png", small);
            write(std::string(folder) + "pics/broken.jpg", photo.substr(0, photo.size() / 2));
        }
    }
    // Every file under a folder with its bytes, the folder's name left out.
    std::map<std::string, std::string> filesUnder(const std::string& folder) const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir / folder))
            if (entry.is_regular_file()) files[fs::relative(entry.path(), m_dir / folder).string()] = read(entry.path());
        return files;
    }
    // Runs `args` (with FOLDER standing for the inputs' folder) in both ways and compares.
    void expectSameRuns(const std::string& args, const std::string& stdinText = "")
    {
        const auto withFolder = [&](const std::string& folder) {
            std::string text = args;
            for (std::size_t at = text.find("FOLDER"); at != std::string::npos; at = text.find("FOLDER"))
                text.replace(at, 6, folder);
            return text;
        };
        const Outcome one = run("-j 1 " + withFolder("one"), stdinText);
        const Outcome many = run("-j 4 " + withFolder("many"), stdinText);
        EXPECT_EQ(many.status, one.status);
        std::string err = one.err;
        for (std::size_t at = err.find("one/"); at != std::string::npos; at = err.find("one/", at))
            err.replace(at, 4, "many/");
        EXPECT_EQ(many.err, err);
        EXPECT_EQ(many.out, one.out);
        EXPECT_EQ(filesUnder("many"), filesUnder("one"));
        m_last = one;
    }

    Outcome m_last;
};

TEST_F(ParallelInputs, BooksWithPicturesWarningsAndFailures)
{
    picturesBoth();
    for (int i = 0; i < 6; ++i) {
        writeBoth("b" + std::to_string(i) + ".html",
                  book("<h1>Book " + std::to_string(i) + "</h1><p><img src=pics/big.png><img src=pics/missing" +
                       std::to_string(i) + ".png><img src=pics/photo.jpg><img src=pics/small.png></p>"));
    }
    writeBoth("broken.html", book("<p><img src=pics/broken.jpg></p>"));
    writeBoth("tables.html", book("<table><caption>c</caption><tr><th>h</th><td>a &amp; b</td></tr></table>"));
    expectSameRuns("FOLDER/b0.html FOLDER/b1.html FOLDER/broken.html FOLDER/b2.html FOLDER/nothing.html "
                   "FOLDER/b3.html FOLDER/tables.html --tables image FOLDER/b4.html FOLDER/b5.html");
    EXPECT_EQ(m_last.status, 1);
    EXPECT_NE(m_last.err.find("[1/9] b0.html -> b0.fb2\n"
                              "vellumar-convert: one/b0.html: warning: picture 'pics/missing0.png' left out"),
              std::string::npos)
        << m_last.err;
    EXPECT_NE(m_last.err.find("broken.jpg"), std::string::npos);
}

TEST_F(ParallelInputs, OutputsThatMeetAndInputsThatAreEarlierOutputs)
{
    struct Case {
        const char* name;
        const char* args;
        const char* stdinText;
    };
    const Case cases[] = {
        // The second book of one name in the output folder is refused, whichever is made first.
        {"SameNameInTheOutputFolder", "-d FOLDER/out FOLDER/a/x.html FOLDER/b/x.html FOLDER/c/y.html", ""},
        // The book-info title names every book alike: the second in one folder is refused.
        {"SameProposedName", "--title Same FOLDER/a/x.html FOLDER/c/y.html FOLDER/a/z.html", ""},
        // a/x.fb2 is read as a source after a/x.html has written it.
        {"AnInputThatAnEarlierOneWrites", "FOLDER/a/x.html FOLDER/a/x.fb2", ""},
        // c/y.fb2 is read as a source before c/y.html replaces it with its book.
        {"AnInputThatALaterOneWrites", "FOLDER/c/y.fb2 FOLDER/a/x.html FOLDER/c/y.html", ""},
        // Item lists of several INPUTs follow each other on standard output; the second "-"
        // finds standard input read.
        {"ListingsOnStandardOutput", "--items FOLDER/a/x.html - FOLDER/c/y.html -", "<p>typed</p>"},
        {"CleanedSourcesIntoOneFolder", "--clean-only -d FOLDER/out FOLDER/a/x.html FOLDER/b/x.html", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_dir / "one");
        fs::remove_all(m_dir / "many");
        writeBoth("a/x.html", book("<p>a x</p>"));
        writeBoth("b/x.html", book("<p>b x</p>"));
        writeBoth("c/y.html", book("<p>c y</p>"));
        writeBoth("a/z.html", book("<p>a z</p>"));
        writeBoth("c/y.fb2", book("<p>an old c y</p>"));
        expectSameRuns(c.args, c.stdinText);
    }
}

}  // namespace
