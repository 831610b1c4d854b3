// vellumar-convert on word-processor documents, with the real LibreOffice.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "checking/book_check.h"
#include "cli/convert_program.h"
#include "libreoffice/office_documents.h"
#include "office/program_lookup.h"
#include "support/test_pictures.h"
#include "support/xml_check.h"

namespace {

namespace fs = std::filesystem;
using vellumar::testing::Outcome;

class ConvertDocumentsCli : public vellumar::testing::ConvertProgramTest {
protected:
    void SetUp() override
    {
        ConvertProgramTest::SetUp();
        m_tmp = m_folder.file(".tmp");
        fs::create_directories(m_tmp);
        m_path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
        m_environment = "TMPDIR='" + m_tmp.string() + "' ";
    }
    void TearDown() override { EXPECT_TRUE(fs::is_empty(m_tmp)) << "a private folder was left behind"; }

    // Puts a program called soffice running `script` first on the program's PATH.
    void soffice(const std::string& script)
    {
        const fs::path bin = m_folder.file(".bin");
        fs::create_directories(bin);
        write(".bin/soffice", "#!/bin/sh\n" + script + "\n");
        fs::permissions(bin / "soffice", fs::perms::owner_exec, fs::perm_options::add);
        m_environment += "PATH='" + bin.string() + ":" + m_path + "' ";
    }
    // The files beside the documents (the test's own dot-folders left out).
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(m_dir))
            if (!e.path().filename().string().starts_with(".")) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs vellumar-convert with the test's environment.
    Outcome convert(const std::string& args) { return run(args, "", m_environment); }

    fs::path m_tmp;
    std::string m_path;
    std::string m_environment;  // "NAME='value' " words before the program
};

TEST_F(ConvertDocumentsCli, BooksBesideTheDocumentsFromOneLibreOfficeStart)
{
    const std::optional<fs::path> real = vellumar::findProgram("soffice", m_path);
    ASSERT_TRUE(real) << "LibreOffice is not installed";
    soffice("echo started >> '" + (m_dir / ".starts").string() + "'\nexec '" + real->string() + "' \"$@\"");
    write("Old Book.rtf", vellumar::testing::rtfBook());
    write("Second.RTF", vellumar::testing::rtfBook());

    const Outcome r = convert("'Old Book.rtf' Second.RTF");

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read(".starts"), "started\n");
    const std::string fb2 = read("Old Book.fb2");
    EXPECT_EQ(vellumar::testing::xmlProblem(fb2), "");
    // "Глава первая" in windows-1251, as the title of the first section with text.
    EXPECT_NE(fb2.find("<section>\r\n<title><p>"), std::string::npos);
    EXPECT_NE(fb2.find("\xc3\xeb\xe0\xe2\xe0 \xef\xe5\xf0\xe2\xe0\xff"), std::string::npos);
    EXPECT_NE(fb2.find("<strong>bold</strong>"), std::string::npos);
    EXPECT_NE(fb2.find("<emphasis>italic</emphasis>"), std::string::npos);
    EXPECT_NE(fb2.find("\xc4\xe0."), std::string::npos);
    EXPECT_NE(fb2.find("<image xlink:href=\"#"), std::string::npos);
    EXPECT_NE(fb2.find("<binary content-type=\"image/png\""), std::string::npos);
    // The pictures are named after the documents; otherwise the books are the same.
    EXPECT_NE(fb2.find("id=\"old_book_html_"), std::string::npos);
    std::string second = read("Second.fb2");
    for (std::size_t at; (at = second.find("second_html_")) != std::string::npos;) second.replace(at, 12, "old_book_html_");
    EXPECT_EQ(second, fb2);
    // Nothing else beside the documents: no HTML, no pictures, no lock files.
    EXPECT_EQ(files(), (std::vector<std::string>{"Old Book.fb2", "Old Book.rtf", "Second.RTF", "Second.fb2"}));
}

TEST_F(ConvertDocumentsCli, AFailedDocumentGetsItsMessageAndNoBook)
{
    const std::string rtf = vellumar::testing::rtfBook();
    const struct {
        const char* name;
        std::string bytes;
        bool withoutLibreOffice;
        const char* message;
    } cases[] = {
        {"random.doc", std::string(4000, '\x7f'), false,
         "random.doc: the file is not a Word 97-2003 document (.doc), its content does not match its extension"},
        {"cut.rtf", rtf.substr(0, 120), false, "cut.rtf: LibreOffice could not convert it (source file could not be loaded)"},
        {"book.odt", rtf, false, "book.odt: the file is not an OpenDocument text (.odt)"},
        {"book.rtf", rtf, true, "book.rtf: LibreOffice is not installed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.name, c.bytes);
        const std::string saved = m_environment;
        if (c.withoutLibreOffice) m_environment += "PATH='" + m_tmp.string() + "' ";
        const Outcome r = convert(std::string("-q ") + c.name);
        m_environment = saved;
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(std::string("vellumar-convert: ") + c.message), std::string::npos) << r.err;
        EXPECT_EQ(files(), std::vector<std::string>{c.name});
        fs::remove(m_dir / c.name);
    }
}

// A document's linked (not embedded) pictures come in only from its own folder tree, wherever
// LibreOffice read it: a picture of the user's elsewhere is left out with a warning naming it.
// The documents are made by LibreOffice from a page that links three pictures: one beside the
// document by a relative link, one in its folder by a file: URL, one in a private folder.
TEST_F(ConvertDocumentsCli, LinkedPicturesComeInOnlyFromTheDocumentsFolder)
{
    fs::create_directories(m_dir / "private");
    fs::create_directories(m_dir / "docs");
    const std::string png = vellumar::test::pngBytes(8, 6, 2, 0xff0000ff);
    write("private/holiday.png", png);
    write("docs/beside.png", png);
    write("docs/url.png", png);
    write("docs/linked.html",
          "<html><body><p>Linked</p><p><img src=\"beside.png\" width=\"8\" height=\"6\"></p>"
          "<p><img src=\"file://" +
              (m_dir / "docs/url.png").string() +
              "\" width=\"8\" height=\"6\"></p>"
              "<p><img src=\"file://" +
              (m_dir / "private/holiday.png").string() + "\" width=\"8\" height=\"6\"></p></body></html>");
    for (const char* format : {"odt", "docx"}) {
        SCOPED_TRACE(format);
        const fs::path document =
            vellumar::testing::makeWithLibreOffice(m_dir / "docs/linked.html", format, m_dir / "docs");
        const Outcome r = convert("-o book.fb2 '" + document.string() + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find("warning: picture '" + (m_dir / "private/holiday.png").string() +
                             "' left out: the document links it from outside its own folder"),
                  std::string::npos)
            << r.err;
        const std::string fb2 = read("book.fb2");
        std::size_t binaries = 0;
        for (std::size_t at = fb2.find("<binary"); at != std::string::npos; at = fb2.find("<binary", at + 1))
            ++binaries;
        EXPECT_EQ(binaries, 2u) << r.err;
        EXPECT_EQ(fb2.find("holiday"), std::string::npos);
        fs::remove(document);
    }
}

// Without a PATH, LibreOffice is looked for where the system's default PATH leads, never in
// the current folder, where anyone may have put a program of that name.
TEST_F(ConvertDocumentsCli, WithoutAPathTheCurrentFolderIsNotSearched)
{
    write("book.rtf", vellumar::testing::rtfBook());
    write("soffice", "#!/bin/sh\ntouch planted-ran\n");
    fs::permissions(m_dir / "soffice", fs::perms::owner_exec, fs::perm_options::add);
    const Outcome r = run("-q book.rtf", "", m_environment + "env -u PATH ");
    EXPECT_FALSE(fs::exists(m_dir / "planted-ran"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(m_dir / "book.fb2"));
}

// Footnotes of real documents: an RTF, and the .doc and .odt LibreOffice makes of it, each
// converted through LibreOffice's HTML into a complete book whose notes body holds both notes,
// linked from where they stood, valid against the FB2 schema.
TEST_F(ConvertDocumentsCli, FootnotesOfEveryKindOfDocumentBecomeNotes)
{
    write("notes.rtf",
          "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\n"
          "\\pard\\plain One{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} First note text.}"
          " and two{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} Second note text.} done.\\par\n"
          "\\pard\\plain More text.\\par\n}\n");
    for (const std::string format : {"doc", "odt"}) {
        const fs::path made = vellumar::testing::makeWithLibreOffice(m_dir / "notes.rtf", format, m_dir / ".made");
        fs::rename(made, m_dir / ("notes-" + format + "." + format));
    }

    const Outcome r = convert("--complete notes.rtf notes-doc.doc notes-odt.odt");

    ASSERT_EQ(r.status, 0) << r.err;
    const fs::path schema = fs::path(VELLUMAR_DATA_DIR) / "schema" / "FictionBook.xsd";
    for (const std::string name : {"notes.fb2", "notes-doc.fb2", "notes-odt.fb2"}) {
        SCOPED_TRACE(name);
        const std::string fb2 = read(name);
        const vellumar::BookCheckResult check = vellumar::checkFb2Book(fb2, schema);
        EXPECT_TRUE(check.wellFormed && check.problems.empty()) << fb2;
        const std::size_t notes = fb2.find("<body name=\"notes\">");
        ASSERT_NE(notes, std::string::npos) << fb2;
        for (const std::string note : {"1", "2"})
            EXPECT_LT(fb2.find("<a xlink:href=\"#n" + note + "\" type=\"note\">" + note + "</a>"), notes);
        EXPECT_NE(fb2.find("<section id=\"n1\">\r\n<title><p>1</p></title>\r\n<p> First note text.</p>", notes),
                  std::string::npos);
        EXPECT_NE(fb2.find("<section id=\"n2\">\r\n<title><p>2</p></title>\r\n<p> Second note text.</p>", notes),
                  std::string::npos);
    }
}

}  // namespace
