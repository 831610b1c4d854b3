// The "Book file" settings in the window: a conversion in UTF-8 shown and saved as a UTF-8 book,
// "Zip (.fb2.zip)" offering NAME.fb2.zip and writing the zip, and a zipped book opened, edited and
// saved back zipped.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>

#include <string>

#include "files/zip_archive.h"
#include "scripted_window_test.h"
#include "support/xml_check.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/file_names.h"
#include "ui/editor/code_editor.h"
#include "ui/window/action_table.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

TEST(BookFileNames, ZippedBooksKeepTheirName)
{
    struct Case {
        const char* path;
        const char* plain;  // fb2SavePath
        const char* zip;    // fb2ZipSavePath
    };
    const Case cases[] = {
        {"/d/book", "/d/book.fb2", "/d/book.fb2.zip"},
        {"/d/book.txt", "/d/book.fb2", "/d/book.fb2.zip"},
        {"/d/book.fb2", "/d/book.fb2", "/d/book.fb2"},
        {"/d/Book.FB2.ZIP", "/d/Book.FB2.ZIP", "/d/Book.FB2.ZIP"},
        {"/d/book.zip", "/d/book.fb2", "/d/book.fb2.zip"},
        {"/x.fb2.zip/book", "/x.fb2.zip/book.fb2", "/x.fb2.zip/book.fb2.zip"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fb2SavePath(QString::fromUtf8(c.path)), QString::fromUtf8(c.plain)) << c.path;
        EXPECT_EQ(fb2ZipSavePath(QString::fromUtf8(c.path)), QString::fromUtf8(c.zip)) << c.path;
    }
    EXPECT_EQ(FileCommands::kindOf(QStringLiteral("/d/a.fb2.zip")), FileCommands::FileKind::Book);
    EXPECT_EQ(FileCommands::kindOf(QStringLiteral("/d/a.zip")), FileCommands::FileKind::Other);
}

class BookFileFormats : public testing::ScriptedWindowTest {
protected:
    QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }
    static std::string read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
    }
    void choose(bool utf8, bool zip)
    {
        m_window->findChild<QRadioButton*>(utf8 ? "RBBookUtf8" : "RBBookWindows1251")->setChecked(true);
        m_window->findChild<QCheckBox*>("ChBZipBook")->setChecked(zip);
        m_window->findChild<QCheckBox*>("ChBShowTitleInfo")->setChecked(false);
    }
    // Converts typed HTML; the save dialog is answered with `saveName`.
    void convert(const char* html, const QString& saveName)
    {
        m_window->sourceEditor()->setDocumentText(html);
        m_dialogs.saveNames = {saveName};
        m_window->action(ActionId::Convert)->trigger();
    }
    CodeEditor& fb2() { return *m_window->fb2Editor(); }
};

// As the source editor holds it: windows-1251, with references for what it lacks.
const char* const kHtml =
    "<html><body><p>&#917;&#955;&#955;&#951;&#957;&#953;&#954;&#940; \xe8 &#20013;</p></body></html>";

TEST_F(BookFileFormats, SettingsReachTheConversionOptions)
{
    choose(true, true);
    EXPECT_EQ(m_window->conversionOptions().outputEncoding, OutputEncoding::Utf8);
    EXPECT_TRUE(m_window->conversionOptions().zipBook);
    choose(false, false);
    EXPECT_EQ(m_window->conversionOptions().outputEncoding, OutputEncoding::Windows1251);
    EXPECT_FALSE(m_window->conversionOptions().zipBook);
}

TEST_F(BookFileFormats, Utf8BookIsShownAndSavedAsUtf8)
{
    choose(true, false);
    // The typed source is windows-1251 in the editor: Greek and Chinese are references there.
    convert("<html><body><p>&#917;&#955; \xe8 \xf0 &#20013; &#233;</p></body></html>", path("book.fb2"));
    const std::string saved = read(path("book.fb2"));
    EXPECT_TRUE(saved.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>")) << saved.substr(0, 60);
    EXPECT_NE(saved.find("Ελ и р 中 é"), std::string::npos) << saved;
    EXPECT_EQ(testing::xmlProblem(saved), "");
    EXPECT_FALSE(fb2().text().contains(QStringLiteral("&#"))) << "shown as characters";

    // "Ж" typed into the UTF-8 book and saved: exact UTF-8 bytes.
    EXPECT_TRUE(fb2().text().contains(QString::fromUtf8("Ελ и р 中 é"))) << fb2().text().toStdString();
    const qsizetype at = fb2().text().indexOf(QStringLiteral("<p>")) + 3;
    fb2().SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                        static_cast<unsigned long>(fb2().text().left(at).toUtf8().size()));
    fb2().SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 2UL, "Ж");
    m_window->action(ActionId::SaveFb2)->trigger();
    const std::string edited = read(path("book.fb2"));
    EXPECT_NE(edited.find("<p>ЖΕλ и р"), std::string::npos) << edited;
    EXPECT_EQ(testing::xmlProblem(edited), "");
}

TEST_F(BookFileFormats, ZippedBookIsOfferedWrittenOpenedAndSavedBackZipped)
{
    choose(true, true);
    m_window->fileCommands().setDocumentFolder(m_folder.path());
    convert(kHtml, path("Story.fb2.zip"));
    ASSERT_FALSE(m_dialogs.fileDialogs.isEmpty());
    EXPECT_TRUE(m_dialogs.fileDialogs.last().endsWith("New.fb2.zip")) << m_dialogs.fileDialogs.last().toStdString();
    const std::string book = unzipBook(read(path("Story.fb2.zip")), 1 << 24);
    EXPECT_TRUE(book.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    EXPECT_NE(read(path("Story.fb2.zip")).find("Story.fb2"), std::string::npos) << "the entry's name";
    EXPECT_EQ(m_window->fb2FileName(), path("Story.fb2.zip"));

    // Opened again it shows the book inside; Save FB2 writes the zip again.
    m_window->fileCommands().clearFb2Document();
    m_dialogs.openNames = {path("Story.fb2.zip")};
    m_window->action(ActionId::OpenFb2)->trigger();
    ASSERT_TRUE(m_dialogs.errors.isEmpty()) << m_dialogs.errors.value(0).toStdString();
    EXPECT_TRUE(fb2().text().contains(QString::fromUtf8("Ελληνικά"))) << fb2().text().toStdString();
    m_dialogs.saveNames = {path("Again.fb2.zip")};
    m_window->action(ActionId::SaveFb2As)->trigger();
    EXPECT_EQ(unzipBook(read(path("Again.fb2.zip")), 1 << 24), book);

    // A zip that is no book is refused with its name.
    QFile junk(path("junk.fb2.zip"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("PK\x03\x04 junk", 9));
    junk.close();
    m_dialogs.openNames = {path("junk.fb2.zip")};
    m_window->action(ActionId::OpenFb2)->trigger();
    ASSERT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_TRUE(m_dialogs.errors[0].contains(QStringLiteral("junk.fb2.zip"))) << m_dialogs.errors[0].toStdString();
}

}  // namespace
}  // namespace vellumar
