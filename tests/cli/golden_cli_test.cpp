// vellumar-convert's outputs on the bundled example and the inputs in tests/cli/golden/inputs,
// compared byte for byte with the outputs recorded in tests/cli/golden/expected.
//
// A change that is meant to change the output records the new outputs with
//   VELLUMAR_UPDATE_GOLDEN=1 build/vellumar_cli_tests --gtest_filter='GoldenCli.*'
// and the difference shows in the commit.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/convert_program.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = VELLUMAR_SOURCE_DIR;
const fs::path kGoldenDir = kSourceDir / "tests" / "cli" / "golden";

struct GoldenCase {
    const char* name;    // the expected files are expected/<name>.out and expected/<name>.err
    const char* args;    // shell words, run in a copy of the inputs folder
    const char* output;  // the file the run writes, or "-" for standard output
    const char* stdinFile = nullptr;  // the file given as standard input, if any
};

const GoldenCase kCases[] = {
    {"example", "-o - the-lighthouse-keeper.html", "-"},
    {"example-beside", "the-lighthouse-keeper.html", "the-lighthouse-keeper.fb2"},
    {"example-titled", "--title 'The Lighthouse Keeper' --first-name Ann --last-name Hale the-lighthouse-keeper.html",
     "the_lighthouse_keeper-ann_hale.fb2"},
    {"example-clean-only", "--clean-only the-lighthouse-keeper.html", "-"},
    {"example-items", "--items the-lighthouse-keeper.html", "-"},
    {"example-no-clean", "--no-clean -o - the-lighthouse-keeper.html", "-"},
    {"example-no-straighten", "--no-straighten -o - the-lighthouse-keeper.html", "-"},
    {"example-title-level-2", "--title-level 2 -o - the-lighthouse-keeper.html", "-"},
    {"example-title-level-none", "--title-level none -o - the-lighthouse-keeper.html", "-"},
    {"example-stdin", "-", "-", "the-lighthouse-keeper.html"},
    {"word-page", "-o - word_page.html", "-"},
    {"word-page-titled", "--title 'Белая ночь' --first-name Щука --last-name Эхо word_page.html",
     "belaja_noch-shuka_eho.fb2"},
    {"word-page-clean-only", "--clean-only word_page.html", "-"},
    {"word-page-no-straighten", "--clean-only --no-straighten word_page.html", "-"},
    {"word-page-items", "--items word_page.html", "-"},
    {"word-page-no-clean", "--no-clean -o - word_page.html", "-"},
    {"book", "-o - book.html", "-"},
    {"book-no-clean-titled", "--no-clean --title 'Белая ночь & Co' --last-name Эхо -o - book.html", "-"},
    {"book-items-no-clean", "--items --no-clean book.html", "-"},
    {"tables-asis", "-o - tables.html", "-"},
    {"tables-content", "--tables content -o - tables.html", "-"},
    {"tables-image-source", "--tables image --border source -o - tables.html", "-"},
    {"tables-image-visible", "--tables image --border visible -o - tables.html", "-"},
    {"pictures", "-o - pictures.html", "-"},
    {"pictures-no-resize", "--no-resize -o - pictures.html", "-"},
    {"pictures-small-box", "--max-width 100 --max-height 60 -o - pictures.html", "-"},
    {"utf8", "-o - utf8.html", "-"},
    {"koi8", "-o - koi8.html", "-"},
    {"koi8-as-1251", "--encoding windows-1251 -o - koi8.html", "-"},
    {"broken-no-clean", "--no-clean -o - broken.html", "-"},
    {"broken", "-o - broken.html", "-"},
    {"several", "-d out book.html utf8.html koi8.html", "out/koi8.fb2"},
    {"several-warnings", "-d out broken.html book.html pictures.html", "out/broken.fb2"},
    {"several-failing", "-d out bad_picture.html book.html", "out/book.fb2"},
};

// Names the case in gtest's messages.
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class GoldenCli : public vellumar::testing::ConvertProgramTest,
                  public ::testing::WithParamInterface<GoldenCase> {
protected:
    void SetUp() override
    {
        ConvertProgramTest::SetUp();
        fs::copy(kGoldenDir / "inputs", m_dir, fs::copy_options::recursive);
        fs::copy_file(kSourceDir / "examples" / "the-lighthouse-keeper.html", m_dir / "the-lighthouse-keeper.html");
        fs::create_directories(m_dir / "out");
        pinFont();
    }

    // Table pictures are drawn with whatever font the system matches, so the recorded pictures
    // hold only with the same font: the program sees just DejaVu Sans (fonts-dejavu-core).
    void pinFont()
    {
        const fs::path font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        ASSERT_TRUE(fs::exists(font)) << font << " is missing (Debian: fonts-dejavu-core)";
        const fs::path fonts = m_dir / ".fonts";
        fs::create_directories(fonts / "only");
        fs::create_symlink(font, fonts / "only" / font.filename());
        writeFile(fonts / "fonts.conf", "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                        "<fontconfig><dir>" + (fonts / "only").string() + "</dir><cachedir>" +
                                            (fonts / "cache").string() + "</cachedir></fontconfig>\n");
        m_environment = "FONTCONFIG_FILE='" + (fonts / "fonts.conf").string() + "' ";
    }

    std::string m_environment;  // "NAME='value' " words before the program
};

TEST_P(GoldenCli, OutputsAsRecorded)
{
    const GoldenCase& c = GetParam();
    const vellumar::testing::Outcome r = run(c.args, c.stdinFile ? read(c.stdinFile) : std::string(), m_environment);
    const std::string out = std::string(c.output) == "-" ? r.out : read(c.output);
    // The exit status is recorded with the standard error text.
    const std::string err = "status " + std::to_string(r.status) + "\n" + r.err;

    const fs::path expectedOut = kGoldenDir / "expected" / (std::string(c.name) + ".out");
    const fs::path expectedErr = kGoldenDir / "expected" / (std::string(c.name) + ".err");
    if (std::getenv("VELLUMAR_UPDATE_GOLDEN")) {
        fs::create_directories(expectedOut.parent_path());
        writeFile(expectedOut, out);
        writeFile(expectedErr, err);
        return;
    }
    ASSERT_TRUE(fs::exists(expectedOut)) << expectedOut;
    EXPECT_TRUE(out == readFile(expectedOut)) << c.name << ": the output differs from " << expectedOut;
    EXPECT_EQ(err, readFile(expectedErr)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenCli, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& param_info) {
                             std::string name = param_info.param.name;
                             for (char& ch : name)
                                 if (ch == '-') ch = '_';
                             return name;
                         });

}  // namespace
