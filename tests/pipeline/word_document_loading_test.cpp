// A word-processor document enters the pipeline as the HTML a word processor saved for it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "cleaning/recording_interaction.h"
#include "files/temp_folder.h"
#include "support/test_pictures.h"
#include "pipeline/pipeline.h"

namespace vellumar {
namespace {

TEST(WordDocumentLoading, TheHtmlIsReadAsUtf8InTheDocumentsName)
{
    TempFolder folder;
    const std::filesystem::path html = folder.file("Old_Book.htm");
    // Cyrillic "Да" in UTF-8, as LibreOffice writes it, with no charset declared.
    test::writeBytes(html, "<html><body><p>\xd0\x94\xd0\xb0</p></body></html>");
    SourceFile file{"/books/Old Book.rtf"};
    file.html = html;
    testing::RecordingInteraction user;
    // The encoding asked for applies to HTML sources, not to a word processor's output.
    const LoadedSource source = loadSource(file, LoadOptions{"koi8-r", false}, ConversionOptions{}, user);
    EXPECT_EQ(source.text, "<html><body><p>\xc4\xe0</p></body></html>\r\n");
    EXPECT_EQ(source.folder, folder.path());
    EXPECT_EQ(source.name, "/books/Old Book.rtf");
}

LibreOfficeSettings searchingIn(const std::filesystem::path& folder)
{
    LibreOfficeSettings settings;
    settings.searchPath = folder.string();
    return settings;
}

// Stands in for LibreOffice: counts its starts in `starts` beside itself and writes, for every
// document it is given, NAME.html naming the document into the --outdir.
class FakeLibreOffice {
public:
    FakeLibreOffice()
    {
        test::writeBytes(m_bin.file("soffice"), "#!/bin/sh\n"
                                                "echo started >> '" + m_bin.file("starts").string() + "'\n"
                                                "while [ \"$1\" != --outdir ]; do shift; done\n"
                                                "out=$2; shift 2; mkdir -p \"$out\"\n"
                                                "for f in \"$@\"; do name=$(basename \"$f\")\n"
                                                "  printf '<html><body><p>%s</p></body></html>' \"$name\" > \"$out/${name%.*}.html\"\n"
                                                "done\n");
        std::filesystem::permissions(m_bin.file("soffice"), std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    LibreOfficeSettings settings() { return searchingIn(m_bin.path()); }
    int starts()
    {
        std::ifstream in(m_bin.file("starts"));
        const std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
    }

private:
    TempFolder m_bin;
};

// Loaded on its own, a document is saved as HTML beside it, never over a file of the user's;
// the second load of it replaces what the first wrote.
TEST(WordDocumentLoading, ADocumentAloneIsSavedBesideIt)
{
    FakeLibreOffice office;
    TempFolder folder;
    test::writeBytes(folder.file("Old Book.rtf"), "{\\rtf1 text}");
    test::writeBytes(folder.file("Mine.rtf"), "{\\rtf1 text}");
    test::writeBytes(folder.file("Mine.htm"), "my own page");
    struct Case {
        const char* document;
        const char* html;
    };
    const Case cases[] = {{"Old Book.rtf", "Old_Book.htm"}, {"Mine.rtf", "Mine~2.htm"}, {"Mine.rtf", "Mine~2.htm"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        testing::RecordingInteraction user;
        const LoadedSource source = loadSource(SourceFile{folder.file(c.document)},
                                               LoadOptions{.libreOffice = office.settings()}, ConversionOptions{}, user);
        EXPECT_NE(source.text.find("<p>"), std::string::npos) << source.text;
        EXPECT_TRUE(std::filesystem::exists(folder.file(c.html)));
        EXPECT_EQ(source.name, folder.file(c.document).string());
        EXPECT_EQ(source.folder, folder.path());
    }
    EXPECT_EQ(test::readBytes(folder.file("Mine.htm")), "my own page");
    EXPECT_FALSE(std::filesystem::exists(folder.file("Mine~3.htm")));
    EXPECT_EQ(office.starts(), 3);

    // Not a document of its kind, or no LibreOffice at all: why, for the user.
    test::writeBytes(folder.file("fake.rtf"), "hello");
    testing::RecordingInteraction user;
    const LibreOfficeSettings none = searchingIn(folder.file("none"));
    for (auto [document, settings, why] : {std::tuple("fake.rtf", office.settings(), "not an RTF document"),
                                           std::tuple("Old Book.rtf", none, "not installed")}) {
        try {
            loadSource(SourceFile{folder.file(document)}, LoadOptions{.libreOffice = settings}, ConversionOptions{}, user);
            ADD_FAILURE() << document << " was loaded";
        } catch (const DocumentConversionError& error) {
            EXPECT_NE(std::string(error.what()).find(why), std::string::npos) << error.what();
        }
    }
}

// The documents of a batch share one start of LibreOffice; its HTML lives as long as the batch.
TEST(WordDocumentLoading, ABatchStartsLibreOfficeOnce)
{
    FakeLibreOffice office;
    TempFolder folder;
    test::writeBytes(folder.file("a.rtf"), "{\\rtf1 text}");
    test::writeBytes(folder.file("b.docx"), "not a zip");
    test::writeBytes(folder.file("c.odt"), std::string("PK\3\4", 4));
    const std::vector<std::string> inputs = {folder.file("a.rtf").string(), folder.file("b.docx").string(),
                                             folder.file("page.html").string(), "-", folder.file("c.odt").string()};
    std::filesystem::path html;
    {
        const SourceBatch batch(inputs, office.settings());
        EXPECT_EQ(office.starts(), 1);
        for (std::size_t i : {0u, 4u}) {
            const SourceFile file = batch.source(i);
            EXPECT_EQ(file.path, inputs[i]);
            EXPECT_NE(file.html.parent_path(), folder.path());
            testing::RecordingInteraction user;
            const LoadedSource source = loadSource(file, LoadOptions{}, ConversionOptions{}, user);
            EXPECT_NE(source.text.find("<p>"), std::string::npos) << source.text;
            html = file.html;
        }
        EXPECT_THROW(batch.source(1), DocumentConversionError);
        EXPECT_EQ(batch.source(2).path, inputs[2]);
        EXPECT_TRUE(batch.source(2).html.empty());
        EXPECT_TRUE(batch.source(3).standardInput);
        EXPECT_TRUE(std::filesystem::exists(html));
    }
    EXPECT_FALSE(std::filesystem::exists(html));
    EXPECT_EQ(office.starts(), 1);
}

TEST(WordDocumentLoading, WhichFilesAreWordProcessorDocuments)
{
    for (const char* name : {"a.doc", "B.RTF", "c.docx", "d.Odt"}) EXPECT_TRUE(isWordProcessorDocument(name)) << name;
    for (const char* name : {"a.htm", "b.html", "c.txt", "rtf", "d.rtf.html"})
        EXPECT_FALSE(isWordProcessorDocument(name)) << name;
}

}  // namespace
}  // namespace vellumar
