// Documents are saved in the encoding they were read in: an opened page or FB2 book declares
// what its bytes are after a save, and reopening it shows the same text.

#include <QFile>
#include <gtest/gtest.h>

#include <string>

#include "encodings/text_encoding.h"
#include "scripted_window_test.h"
#include "ui/commands/conversion_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/editor/code_editor.h"
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
std::string inEncoding(const std::string& utf8, const char* encoding)
{
    return Utf8ToCodePage(utf8, encoding);
}

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

}  // namespace
}  // namespace vellumar
