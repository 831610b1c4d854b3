// vellumar-convert --output-encoding and --zip: the books they write, with the other options,
// several INPUTs at once, standard output, --check, and the values they refuse.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/convert_program.h"
#include "files/zip_archive.h"
#include "support/xml_check.h"

namespace {

namespace fs = std::filesystem;

using vellumar::testing::Outcome;

const std::string kPage =
    "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>\n<h1>Глава — Chapitre</h1>\n"
    "<p>Français déjà &eacute;t&eacute;; Ελληνικά αβγ; 中文你好 &#8230; &lt;&amp;&gt;</p>\n"
    "<table><tr><td>Ячейка</td><td>κελί</td></tr></table>\n</body></html>\n";

class OutputFormatsCli : public vellumar::testing::ConvertProgramTest {
protected:
    std::string unzip(const fs::path& name) const { return vellumar::unzipBook(read(name), 1 << 26); }
    // xmllint itself, as a reader of the book would check it.
    bool xmllintAccepts(const fs::path& name) const
    {
        return std::system(("xmllint --noout --nonet '" + (m_dir / name).string() + "' 2>/dev/null").c_str()) == 0;
    }
};

TEST_F(OutputFormatsCli, BothEncodingsAreTheSameDocumentWithEveryTableMode)
{
    write("page.html", kPage);
    for (const char* tables : {"asis", "content", "image"}) {
        const std::string mode = std::string(" --tables ") + tables;
        ASSERT_EQ(run("-o cp.fb2" + mode + " page.html").status, 0);
        const Outcome r = run("-o utf.fb2 --output-encoding utf-8" + mode + " page.html");
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string utf8 = read("utf.fb2");
        EXPECT_TRUE(utf8.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n")) << tables;
        EXPECT_NE(utf8.find("Français déjà été; Ελληνικά αβγ; 中文你好 … &lt;&amp;&gt;"), std::string::npos) << tables;
        EXPECT_TRUE(xmllintAccepts("cp.fb2") && xmllintAccepts("utf.fb2")) << tables;
        EXPECT_FALSE(vellumar::testing::canonicalXml(utf8).empty());
        EXPECT_EQ(vellumar::testing::canonicalXml(read("cp.fb2")), vellumar::testing::canonicalXml(utf8)) << tables;
    }
}

TEST_F(OutputFormatsCli, ZipHoldsTheBookBesideTheInputInAFolderAndOnStandardOutput)
{
    write("page.html", kPage);
    ASSERT_EQ(run("page.html").status, 0);
    const std::string plain = read("page.fb2");
    const Outcome beside = run("--zip page.html");
    ASSERT_EQ(beside.status, 0) << beside.err;
    EXPECT_EQ(unzip("page.fb2.zip"), plain);
    EXPECT_NE(read("page.fb2.zip").find("page.fb2"), std::string::npos) << "the entry is named page.fb2";
    ASSERT_EQ(run("--zip -d out page.html").status, 0);
    EXPECT_EQ(unzip("out/page.fb2.zip"), plain);
    const Outcome out = run("--zip -o - page.html");
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(vellumar::unzipBook(out.out, 1 << 26), plain);
    // The name the book info proposes gets ".zip" too; one of 255 bytes is shortened to fit it.
    fs::remove(m_dir / "page.fb2.zip");
    for (const std::size_t length : {5, 300}) {
        const Outcome named = run("--zip --title '" + std::string(length, 'w') + "' page.html");
        ASSERT_EQ(named.status, 0) << named.err;
        std::string found;
        for (const auto& entry : fs::directory_iterator(m_dir))
            if (entry.path().filename().string().starts_with("www")) found = entry.path().filename().string();
        EXPECT_TRUE(found.ends_with(".fb2.zip")) << found;
        EXPECT_LE(found.size(), 255u);
        EXPECT_NE(unzip(found).find("<book-title>www"), std::string::npos);
        fs::remove(m_dir / found);
    }
}

TEST_F(OutputFormatsCli, SeveralInputsAtOnceInBothFormats)
{
    for (int i = 0; i < 4; ++i) write("p" + std::to_string(i) + ".html", kPage + std::string(i, 'x'));
    ASSERT_EQ(run("-j 1 -d one --output-encoding utf-8 p0.html p1.html p2.html p3.html").status, 0);
    const Outcome r = run("-j 3 -d many --zip --output-encoding utf-8 p0.html p1.html p2.html p3.html");
    ASSERT_EQ(r.status, 0) << r.err;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "p" + std::to_string(i) + ".fb2";
        EXPECT_EQ(unzip("many/" + name + ".zip"), read("one/" + name)) << name;
    }
}

TEST_F(OutputFormatsCli, CheckReadsTheBookInsideAZip)
{
    write("page.html", kPage);
    ASSERT_EQ(run("--zip --output-encoding utf-8 page.html").status, 0);
    const Outcome good = run("--check page.fb2.zip");
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.out.find("page.fb2.zip: well-formed"), std::string::npos) << good.out;
    const std::string_view broken[] = {"<?xml version=\"1.0\"?>\n<a>\n<b></a>"};
    write("broken.fb2.zip", vellumar::zipOneFile("broken.fb2", broken));
    write("notazip.fb2.zip", std::string("PK\x03\x04", 4) + "garbage");
    const Outcome bad = run("--check broken.fb2.zip notazip.fb2.zip");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("broken.fb2.zip:3: error:"), std::string::npos) << bad.out;
    EXPECT_NE(bad.err.find("vellumar-convert: notazip.fb2.zip: not a readable zip archive"), std::string::npos)
        << bad.err;
}

TEST_F(OutputFormatsCli, RefusedValuesAndCombinations)
{
    write("page.html", kPage);
    for (const char* args :
         {"--output-encoding latin1 page.html", "--output-encoding UTF8 page.html", "--zip --clean-only page.html",
          "--output-encoding utf-8 --items page.html", "--zip --check page.fb2"}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_FALSE(fs::exists(m_dir / "page.fb2.zip")) << args;
    }
}

}  // namespace
