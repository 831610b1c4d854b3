// The window program's command line: options answered without a window, and the files it names
// opened on their pages.

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scripted_window_test.h"
#include "ui/commands/file_commands.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/main_window.h"
#include "ui/window/program_arguments.h"

namespace vellumar {
namespace {

using testing::ScriptedDialogs;

TEST(ProgramArguments, OptionsAreFoundBeforeTheEndOfOptions)
{
    struct Case {
        std::vector<std::string> arguments;
        bool help;
        bool version;
        const char* unknown;
    };
    const Case cases[] = {
        {{"vellumar"}, false, false, ""},
        {{"vellumar", "--help"}, true, false, ""},
        {{"vellumar", "-h", "book.fb2"}, true, false, ""},
        {{"vellumar", "book.fb2", "--version"}, false, true, ""},
        {{"vellumar", "-v"}, false, true, ""},
        {{"vellumar", "--", "--help"}, false, false, ""},
        {{"vellumar", "--frobnicate", "--help"}, true, false, "--frobnicate"},
        {{"vellumar", "-platform", "offscreen", "a.html"}, false, false, ""},
    };
    for (const Case& c : cases) {
        const ProgramArguments parsed = parseProgramArguments(c.arguments);
        const std::string shown = c.arguments.size() > 1 ? c.arguments[1] : "(none)";
        EXPECT_EQ(parsed.help, c.help) << shown;
        EXPECT_EQ(parsed.version, c.version) << shown;
        EXPECT_EQ(parsed.unknownOption, c.unknown) << shown;
    }
    EXPECT_TRUE(programHelpText().starts_with("Usage: vellumar [OPTION...] [FILE...]\n"));
    EXPECT_TRUE(programVersionText().starts_with("Vellumar 1."));
}

TEST(ProgramArguments, FilesAreTheArgumentsThatAreNoOptions)
{
    EXPECT_EQ(fileArguments({"vellumar", "a.fb2", "-x", "b c.html", "--", "-dash.fb2"}),
              QStringList({"a.fb2", "b c.html", "-dash.fb2"}));
    EXPECT_TRUE(fileArguments({"vellumar"}).isEmpty());
}

class OpenFileArgumentsTest : public testing::ScriptedWindowTest {
protected:
    QString write(const char* name, const QByteArray& bytes) const
    {
        const QString path = m_folder.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(OpenFileArgumentsTest, Fb2BookOpensOnTheFb2PageWithItsPathInTheCaption)
{
    const QString book = write("Book One.FB2", "<?xml version=\"1.0\"?>\n<FictionBook/>\n");
    openFileArguments(*m_window, {book});
    EXPECT_EQ(m_window->pages()->currentIndex(), MainWindow::Fb2Page);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : " + book);
    EXPECT_EQ(m_window->fb2FileName(), book);
    EXPECT_EQ(m_window->fb2Editor()->editor().text(), "<?xml version=\"1.0\"?>\r\n<FictionBook/>");
    EXPECT_FALSE(m_window->fb2Editor()->hasUnsavedChanges());
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(OpenFileArgumentsTest, HtmlSourceOpensOnTheSourcePageAsOpenWould)
{
    const QString book = write("b.fb2", "<FictionBook/>");
    const QString page = write("Page.HTML", "<html><body><p>Hello <b>there</b></p><script>x()</script></body></html>");
    openFileArguments(*m_window, {book, page});
    EXPECT_TRUE(m_dialogs.errors.isEmpty()) << m_dialogs.errors.join(' ').toStdString();
    EXPECT_EQ(m_window->pages()->currentIndex(), MainWindow::SourcePage) << "the last file's page";
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : New");
    const std::string source = m_window->sourceEditor()->editor().text();
    EXPECT_NE(source.find("Hello"), std::string::npos) << source;
    EXPECT_EQ(source.find("x()"), std::string::npos) << "cleaned as an opened source is: " << source;
    EXPECT_EQ(m_window->fb2FileName(), book);
}

TEST_F(OpenFileArgumentsTest, UnreadableOrUnknownFilesAreNamedAndTheRestStillOpen)
{
    const QString book = write("b.fb2", "<FictionBook/>");
    const QString missing = m_folder.filePath(QStringLiteral("missing.fb2"));
    const QString picture = write("cover.png", "not really");
    openFileArguments(*m_window, {missing, picture, book});
    ASSERT_EQ(m_dialogs.errors.size(), 2);
    EXPECT_TRUE(m_dialogs.errors[0].contains(QStringLiteral("missing.fb2"))) << m_dialogs.errors[0].toStdString();
    EXPECT_TRUE(m_dialogs.errors[1].contains(picture)) << m_dialogs.errors[1].toStdString();
    EXPECT_EQ(m_window->fb2FileName(), book);
    EXPECT_EQ(m_window->fb2Editor()->editor().text(), "<FictionBook/>");
}

// The window holds one source and one book: the first of each kind opens, and the others are
// named rather than dropped.
TEST_F(OpenFileArgumentsTest, OnlyTheFirstFileOfAKindOpensAndTheOthersAreNamed)
{
    const QString first = write("a.html", "<html><body><p>first</p></body></html>");
    const QString second = write("b.html", "<html><body><p>second</p></body></html>");
    const QString book = write("a.fb2", "<FictionBook>one</FictionBook>");
    const QString secondBook = write("b.fb2", "<FictionBook>two</FictionBook>");
    const QString missing = m_folder.filePath(QStringLiteral("missing.htm"));
    struct Case {
        QStringList files;
        const char* source;  // found in the source page
        const char* fb2;     // found in the FB2 page
        QStringList notOpened;
    };
    const Case cases[] = {
        {{first, second}, "first", "", {second}},
        {{first, book, second, secondBook}, "first", "one", {second, secondBook}},
        {{missing, second}, "second", "", {}},
        {{first}, "first", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files.join(' ').toStdString());
        m_window->fileCommands().clearSourceDocument();
        m_window->fileCommands().clearFb2Document();
        m_dialogs.messages.clear();
        openFileArguments(*m_window, c.files);
        EXPECT_NE(m_window->sourceEditor()->editor().text().find(c.source), std::string::npos);
        EXPECT_NE(m_window->fb2Editor()->editor().text().find(c.fb2), std::string::npos);
        if (c.notOpened.isEmpty()) {
            EXPECT_TRUE(m_dialogs.messages.isEmpty());
            continue;
        }
        ASSERT_EQ(m_dialogs.messages.size(), 1);
        for (const QString& file : c.notOpened)
            EXPECT_TRUE(m_dialogs.messages[0].contains(file)) << m_dialogs.messages[0].toStdString();
        EXPECT_FALSE(m_dialogs.messages[0].contains(c.files[0]));
    }
}

}  // namespace
}  // namespace vellumar
