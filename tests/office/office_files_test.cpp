// Which files go to LibreOffice, where their HTML goes, and the names of their copies.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/file_io.h"
#include "files/temp_folder.h"

#include "office/derived_html_path.h"
#include "office/document_kinds.h"
#include "office/libreoffice_output.h"

namespace {

using namespace std::string_literals;
using vellumar::DocumentKind;

TEST(DerivedHtmlPath, SpacesOfTheNameOnlyBecomeUnderscores)
{
    const struct {
        const char* document;
        const char* html;
    } cases[] = {
        {"/home/ann/My Files/Old Book.rtf", "/home/ann/My Files/Old_Book.htm"},
        {"/b/Story.RTF", "/b/Story.htm"},
        {"/b/two  spaces .doc", "/b/two__spaces_.htm"},
        {"/b/a b.c.docx", "/b/a_b.c.htm"},
        {"Book", "Book.htm"},
        {"/b/Старая книга.odt", "/b/Старая_книга.htm"},
    };
    for (const auto& c : cases) EXPECT_EQ(vellumar::derivedHtmlPath(c.document), c.html) << c.document;
}

// A file of the derived name that this run did not write is the user's: the next free "~N".
TEST(WrittenHtmlFiles, NeverPicksAUsersFile)
{
    vellumar::TempFolder folder;
    vellumar::WrittenHtmlFiles written;
    const std::filesystem::path document = folder.file("Old Book.rtf");
    EXPECT_EQ(written.pathFor(document), folder.file("Old_Book.htm")) << "free";

    std::ofstream(folder.file("Old_Book.htm")) << "mine";
    std::ofstream(folder.file("Old_Book~2.htm")) << "mine too";
    EXPECT_EQ(written.pathFor(document), folder.file("Old_Book~3.htm"));

    written.add(folder.file("Old_Book~3.htm"));
    std::ofstream(folder.file("Old_Book~3.htm")) << "ours";
    EXPECT_EQ(written.pathFor(document), folder.file("Old_Book~3.htm")) << "ours again, not ~4";
    written.add(folder.file("Old_Book.htm"));
    EXPECT_EQ(written.pathFor(folder.path() / "." / "Old Book.rtf").lexically_normal(), folder.file("Old_Book.htm"));
}

// A picture never replaces a file: the same bytes serve as they are, other bytes make the
// picture take "~2" and the HTML's src follow.
TEST(OutputFiles, PicturesNeverReplaceAFile)
{
    namespace fs = std::filesystem;
    vellumar::TempFolder output;
    vellumar::TempFolder target;
    auto write = [](const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; };
    write(output.file("Book.html"), R"(<img src="Book_html_1.png"><img src="Book_html_2.png"><img src="Book_html_3.png">)");
    write(output.file("Book_html_1.png"), "new one");
    write(output.file("Book_html_2.png"), "same");
    write(output.file("Book_html_3.png"), "new three");
    write(target.file("Book_html_1.png"), "the user's");
    write(target.file("Book_html_1~2.png"), "the user's too");
    write(target.file("Book_html_2.png"), "same");

    vellumar::OutputFiles(output.path()).deliver("Book", target.file("Book.htm"), {target.path(), {}, output.path()});

    const struct {
        const char* file;
        const char* bytes;
    } expected[] = {
        {"Book.htm", R"(<img src="Book_html_1~3.png"><img src="Book_html_2.png"><img src="Book_html_3.png">)"},
        {"Book_html_1.png", "the user's"},
        {"Book_html_1~2.png", "the user's too"},
        {"Book_html_1~3.png", "new one"},
        {"Book_html_2.png", "same"},
        {"Book_html_3.png", "new three"},
    };
    for (const auto& e : expected) EXPECT_EQ(vellumar::readFileBytes(target.file(e.file)), e.bytes) << e.file;
}

TEST(DocumentKinds, ExtensionAndSignature)
{
    const std::string ole2 = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest"s;
    const std::string zip = "PK\x03\x04rest"s;
    const struct {
        const char* name;
        std::optional<DocumentKind> kind;
        std::string head;
        bool fits;
    } cases[] = {
        {"a.doc", DocumentKind::Doc, ole2, true},
        {"A.DOC", DocumentKind::Doc, zip, false},
        {"a.doc", DocumentKind::Doc, "random bytes", false},
        {"a.doc", DocumentKind::Doc, ole2.substr(0, 7), false},
        {"a.Rtf", DocumentKind::Rtf, "{\\rtf1\\ansi", true},
        {"a.rtf", DocumentKind::Rtf, " {\\rtf1", false},
        {"a.rtf", DocumentKind::Rtf, "", false},
        {"a.docx", DocumentKind::Docx, zip, true},
        {"a.docx", DocumentKind::Docx, ole2, false},
        {"a.odt", DocumentKind::Odt, zip, true},
        {"a.htm", std::nullopt, "", false},
        {"a.txt", std::nullopt, "", false},
        {"doc", std::nullopt, "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vellumar::wordProcessorDocumentKind(c.name), c.kind) << c.name;
        if (c.kind) {
            EXPECT_EQ(vellumar::hasDocumentSignature(*c.kind, c.head), c.fits) << c.name << " " << c.head;
        }
    }
}

TEST(StemChooser, PlainUniqueNamesForTheCopies)
{
    vellumar::StemChooser stems;
    const struct {
        const char* target;
        const char* stem;
    } cases[] = {
        {"/a/Old_Book.htm", "Old_Book"},  {"/b/Old_Book.htm", "document1"}, {"/a/Старая.htm", "document2"},
        {"/a/x_html_y.htm", "document3"}, {"/a/-x.htm", "document4"},       {"/a/v1.2.htm", "v1.2"},
        {"/a/Old_Book~2.htm", "Old_Book~2"},
    };
    for (const auto& c : cases) EXPECT_EQ(stems.choose(c.target), c.stem) << c.target;
}

}  // namespace
