// A word-processor document enters the pipeline as the HTML a word processor saved for it.

#include <gtest/gtest.h>

#include <string>

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
    test::WriteBytes(html, "<html><body><p>\xd0\x94\xd0\xb0</p></body></html>");
    SourceFile file{"/books/Old Book.rtf"};
    file.html = html;
    testing::RecordingInteraction user;
    // The encoding asked for applies to HTML sources, not to a word processor's output.
    const LoadedSource source = LoadSource(file, LoadOptions{"koi8-r", false}, ConversionOptions{}, user);
    EXPECT_EQ(source.text, "<html><body><p>\xc4\xe0</p></body></html>\r\n");
    EXPECT_EQ(source.folder, folder.path());
    EXPECT_EQ(source.name, "/books/Old Book.rtf");
}

TEST(WordDocumentLoading, WhichFilesAreWordProcessorDocuments)
{
    for (const char* name : {"a.doc", "B.RTF", "c.docx", "d.Odt"}) EXPECT_TRUE(IsWordProcessorDocument(name)) << name;
    for (const char* name : {"a.htm", "b.html", "c.txt", "rtf", "d.rtf.html"})
        EXPECT_FALSE(IsWordProcessorDocument(name)) << name;
}

}  // namespace
}  // namespace vellumar
