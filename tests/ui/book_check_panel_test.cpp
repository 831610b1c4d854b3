// Check FB2 in the window: the problem list under the FB2 editor, its lines, moving the caret to
// a problem, and the list going empty once the header is completed by hand.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/book_check_panel.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

// The header as the converter writes it: no genre and no author in title-info (line 4).
std::string bookText(const std::string& titleInfo, const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
           "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n"
           "<description>\r\n"
           "<title-info>\r\n" +
           titleInfo +
           " <book-title>Book Title</book-title>\r\n"
           " <lang>ru</lang>\r\n"
           "</title-info>\r\n"
           "<document-info><author><nickname>n</nickname></author><date/><id/><version>1.0</version></document-info>\r\n"
           "</description>\r\n"
           "<body>\r\n" +
           body + "</body>\r\n</FictionBook>\r\n";
}

class BookCheckPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // The schema beside the program, as the build and the installed program have it.
        const QDir source(QStringLiteral(VELLUMAR_DATA_DIR "/schema"));
        ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("schema")));
        for (const QString& name : source.entryList({QStringLiteral("*.xsd")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), m_folder.filePath(QStringLiteral("schema/") + name)));
        setProgramFolder(m_folder.path());
        m_window = std::make_unique<MainWindow>();
    }
    void TearDown() override
    {
        m_window.reset();
        setProgramFolder(QString());
    }

    BookCheckPanel& panel() const { return *m_window->checkPanel(); }
    QTreeWidget& list() const { return *panel().problemList(); }
    QStringList rows() const
    {
        QStringList result;
        for (int i = 0; i < list().topLevelItemCount(); ++i)
            result << list().topLevelItem(i)->text(0) + ' ' + list().topLevelItem(i)->text(1);
        return result;
    }
    void checkBook(const std::string& text)
    {
        m_window->fb2Editor()->setDocumentText(text);
        m_window->action(ActionId::CheckFb2)->trigger();
    }

    QTemporaryDir m_folder;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(BookCheckPanelTest, CheckFb2IsOnTheFb2ToolBarAndFileMenuWithF8)
{
    QAction* check = m_window->action(ActionId::CheckFb2);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Check FB2");
    EXPECT_EQ(check->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_TRUE(m_window->findChild<QToolBar*>(QStringLiteral("ToolBar2"))->actions().contains(check));
    auto* item = m_window->findChild<QAction*>(QStringLiteral("CheckFB21"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(m_window->findChild<QMenu*>(QStringLiteral("mm_File1"))->actions().contains(item));
    EXPECT_TRUE(panel().isHidden()) << "hidden until the first check";
}

TEST_F(BookCheckPanelTest, ConvertedHeaderGivesTwoWarningsThatGoWhenTheHeaderIsCompleted)
{
    checkBook(bookText("", "<section><p>text</p></section>\r\n"));
    EXPECT_EQ(m_window->pages()->currentIndex(), MainWindow::Fb2Page);
    EXPECT_FALSE(panel().isHidden());
    EXPECT_EQ(rows(), QStringList({"4 warning", "4 warning"}));
    EXPECT_EQ(panel().summary(), "The FB2 text is valid FB2: 0 errors, 2 warnings.");

    checkBook(bookText(" <genre>sf</genre>\r\n <author><first-name>A</first-name><last-name>B</last-name></author>\r\n",
                       "<section><p>text</p></section>\r\n"));
    EXPECT_EQ(list().topLevelItemCount(), 0);
    EXPECT_EQ(panel().summary(), "The FB2 text is well-formed and valid FB2.");
}

TEST_F(BookCheckPanelTest, ActivatingAProblemPutsTheCaretOnItsLine)
{
    // Line 14: a paragraph that is not closed before its section ends on line 15.
    checkBook(bookText(" <genre>sf</genre>\r\n <author><nickname>x</nickname></author>\r\n",
                       "<section>\r\n<p>text\r\n</section>\r\n"));
    ASSERT_EQ(list().topLevelItemCount(), 1) << rows().join(',').toStdString();
    EXPECT_EQ(rows().front(), "15 error");
    EXPECT_TRUE(panel().summary().startsWith(QStringLiteral("The FB2 text is not well-formed XML")));
    panel().goToProblem(0);
    int line = -1;
    int index = -1;
    m_window->fb2Editor()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 14);
    EXPECT_EQ(index, 0);
}

}  // namespace
}  // namespace vellumar
