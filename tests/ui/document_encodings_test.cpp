// Documents are saved in the encoding they were read in: an opened page or FB2 book declares
// what its bytes are after a save, and reopening it shows the same text.

#include <Qsci/qsciscintillabase.h>
#include <gtest/gtest.h>
#include <QFile>
#include <QTreeWidget>

#include <string>

#include "encodings/text_encoding.h"
#include "scripted_window_test.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/editor/code_editor.h"
#include "ui/widgets/book_check_panel.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

class DocumentEncodingsTest : public testing::ScriptedWindowTest {
protected:
    QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }
    static std::string read(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return "<missing>";
        return f.readAll().toStdString();
    }
    static void write(const QString& file, const std::string& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    FileCommands& files() { return m_window->fileCommands(); }
    CodeEditor& source() { return *m_window->sourceEditor(); }
    CodeEditor& fb2() { return *m_window->fb2Editor(); }
    static void type(CodeEditor& editor, std::string_view text)
    {
        editor.editor().select(0, 0);
        editor.editor().replaceSelection(text);
    }
};

// The page's text without the spaces and line breaks that cleaning an opened page again adds.
std::string withoutSpaces(std::string text)
{
    std::erase_if(text, [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
    return text;
}

// UTF-8 text in another encoding.
std::string inEncoding(const std::string& utf8, const char* encoding) { return utf8ToCodePage(utf8, encoding); }

TEST_F(DocumentEncodingsTest, OpenedPagesAreSavedInTheirOwnEncoding)
{
    const std::string cyrillic = "Привет, мир";  // UTF-8
    auto page = [&](const char* charset) {
        return "<html><head><meta charset=\"" + std::string(charset) + "\"><title>t</title></head>\r\n<body><p>" +
               cyrillic + " &#8364;</p></body></html>\r\n";
    };
    struct Case {
        const char* name;
        std::string bytes;         // the file as it is first opened
        std::string expectedText;  // part of the saved file's bytes
        std::string expectedStart;
    };
    const Case cases[] = {
        {"utf-8", page("utf-8"), cyrillic, "<html>"},
        {"utf-8 with a byte-order mark", "\xEF\xBB\xBF" + page("utf-8"), cyrillic, "\xEF\xBB\xBF<html>"},
        {"windows-1251", inEncoding(page("windows-1251"), "windows-1251"), inEncoding(cyrillic, "windows-1251"),
         "<html>"},
        {"koi8-r", inEncoding(page("koi8-r"), "koi8-r"), inEncoding(cyrillic, "koi8-r"), "<html>"},
        {"utf-16le", "\xFF\xFE" + inEncoding(page("utf-16"), "utf-16le"), inEncoding(cyrillic, "utf-16le"),
         "\xFF\xFE<\0h"},
        {"utf-16be", std::string("\xFE\xFF", 2) + inEncoding(page("utf-16"), "utf-16be"),
         inEncoding(cyrillic, "utf-16be"), std::string("\xFE\xFF\0<", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(path("page.htm"), c.bytes);
        m_window->conversionCommands().openSourceFile(path("page.htm"));
        const std::string shown = source().editor().text();
        ASSERT_NE(shown.find(inEncoding(cyrillic, "windows-1251")), std::string::npos) << shown;

        m_dialogs.saveNames = {path("saved.htm")};
        ASSERT_TRUE(files().saveSourceHtmlAs());
        const std::string saved = read(path("saved.htm"));
        EXPECT_NE(saved.find(c.expectedText), std::string::npos) << saved;
        EXPECT_TRUE(saved.starts_with(c.expectedStart)) << saved;

        m_window->conversionCommands().openSourceFile(path("saved.htm"));
        EXPECT_EQ(withoutSpaces(source().editor().text()), withoutSpaces(shown)) << "the same text after a round trip";
    }
}

TEST_F(DocumentEncodingsTest, TypedPagesAreSavedInWindows1251)
{
    write(path("page.htm"), "<meta charset=\"utf-8\"><p>Привет</p>");
    m_window->conversionCommands().openSourceFile(path("page.htm"));
    m_window->action(ActionId::NewSourceDocument)->trigger();
    type(source(), "<p>\xCF\xF0\xE8</p>");
    m_dialogs.saveNames = {path("typed.htm")};
    ASSERT_TRUE(files().saveSourceHtmlAs());
    EXPECT_EQ(read(path("typed.htm")), "<p>\xCF\xF0\xE8</p>\r\n");
}

// A book in another encoding than windows-1251 is shown in it, written back byte for byte where
// nothing changed, and typed text is stored in its encoding.
TEST_F(DocumentEncodingsTest, OpenedBooksKeepTheirEncoding)
{
    const std::string title = "Война и мир — 中文";  // windows-1251 lacks the Chinese
    auto book = [&](const char* encoding, const std::string& text, const char* lineBreak) {
        return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\"?>" + lineBreak +
               "<FictionBook><body><p>" + text + "</p></body></FictionBook>" + lineBreak;
    };
    struct Case {
        const char* name;
        const char* encoding;  // the file's, as iconv names it
        std::string bytes;     // the file
        std::string shown;     // a text the editor shows
    };
    const std::string cyrillic = "Война и мир";
    const Case cases[] = {
        {"utf-8", "utf-8", book("utf-8", title, "\r\n"), title},
        {"utf-8 with LF line breaks", "utf-8", book("UTF-8", title, "\n"), title},
        {"utf-8 with a byte-order mark", "utf-8", "\xEF\xBB\xBF" + book("utf-8", title, "\r\n"), title},
        {"koi8-r", "koi8-r", inEncoding(book("koi8-r", cyrillic, "\r\n"), "koi8-r"), cyrillic},
        {"utf-16le", "utf-16le", "\xFF\xFE" + inEncoding(book("utf-16", title, "\r\n"), "utf-16le"), title},
        {"utf-16be without a byte-order mark", "utf-16be", inEncoding(book("UTF-16", title, "\n"), "utf-16be"), title},
        {"windows-1251", "windows-1251", inEncoding(book("windows-1251", cyrillic, "\r\n"), "windows-1251"), cyrillic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(path("book.fb2"), c.bytes);
        ASSERT_TRUE(files().loadFb2File(path("book.fb2")));
        EXPECT_TRUE(fb2().text().contains(QString::fromStdString(c.shown))) << fb2().text().toStdString();

        m_dialogs.saveNames = {path("same.fb2")};
        ASSERT_TRUE(files().saveFb2As());
        EXPECT_EQ(read(path("same.fb2")), c.bytes) << "unchanged, byte for byte";

        // "Ж" typed at the start of the paragraph's text.
        const qsizetype at = fb2().text().indexOf(QStringLiteral("<p>")) + 3;
        fb2().SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                            static_cast<unsigned long>(fb2().text().left(at).toUtf8().size()));
        fb2().SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 2UL, "Ж");
        ASSERT_TRUE(fb2().hasUnsavedChanges());
        ASSERT_TRUE(files().saveFb2());
        const std::string paragraph = inEncoding("<p>", c.encoding);
        std::string expected = c.bytes;
        expected.insert(expected.find(paragraph) + paragraph.size(), inEncoding("Ж", c.encoding));
        EXPECT_EQ(read(path("same.fb2")), expected);
    }
}

TEST_F(DocumentEncodingsTest, BooksWithoutAKnownEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool refused;  // a message names the file
        std::string documentCodePage;
    };
    const Case cases[] = {
        {"no declaration, UTF-8", "<FictionBook>Ж</FictionBook>", false, "UTF-8"},
        {"no declaration, windows-1251", "<FictionBook>\xC6</FictionBook>", false, ""},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"no-such\"?><a>\xC6</a>", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.errors.clear();
        write(path("book.fb2"), c.bytes);
        ASSERT_TRUE(files().loadFb2File(path("book.fb2")));
        EXPECT_EQ(fb2().documentCodePage(), c.documentCodePage);
        ASSERT_EQ(m_dialogs.errors.size(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_TRUE(m_dialogs.errors[0].contains(path("book.fb2")));
        }
        m_dialogs.saveNames = {path("same.fb2")};
        ASSERT_TRUE(files().saveFb2As());
        // windows-1251 books are written as before: every line ended by CR LF.
        EXPECT_EQ(read(path("same.fb2")), c.documentCodePage.empty() ? c.bytes + "\r\n" : c.bytes);
    }
    // A converted book or a new one is windows-1251 again, shown in the character set.
    files().setConvertedBook("<a>\xC6</a>");
    EXPECT_EQ(fb2().documentCodePage(), "");
    EXPECT_EQ(fb2().editor().codePage(), "WINDOWS-1251");
}

// Check FB2 checks a book as its file holds it: a UTF-16 book gets the same report as the same
// book in UTF-8, not complaints about UTF-8 text under a UTF-16 declaration.
TEST_F(DocumentEncodingsTest, CheckFb2SeesABookInItsOwnEncoding)
{
    auto book = [](const char* encoding) {
        return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) +
               "\"?>\r\n<FictionBook><body><p>\xD0\x96 \xE4\xB8\xAD</p></body></FictionBook>\r\n";
    };
    auto report = [&](const std::string& bytes) {
        write(path("book.fb2"), bytes);
        EXPECT_TRUE(files().loadFb2File(path("book.fb2")));
        m_window->checkPanel()->check();
        QStringList rows;
        QTreeWidget* list = m_window->checkPanel()->problemList();
        for (int i = 0; i < list->topLevelItemCount(); ++i) rows << list->topLevelItem(i)->text(2);
        return rows;
    };
    const QStringList inUtf8 = report(book("UTF-8"));
    EXPECT_EQ(report("\xFF\xFE" + inEncoding(book("UTF-16"), "utf-16le")), inUtf8);
    EXPECT_EQ(report(inEncoding(book("UTF-16"), "utf-16be")), inUtf8);
}

}  // namespace
}  // namespace vellumar
