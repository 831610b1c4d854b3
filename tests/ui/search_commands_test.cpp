// Find and replace in the window: the core's cases on the real editor, and the commands, dialog
// buttons and keys as the user meets them.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "shared_code_editor.h"
#include "support/case_name.h"

#include <memory>

#include "editing/find_replace.h"
#include "message_box_catcher.h"
#include "support/find_replace_cases.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/editor/charset_text.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/color_button.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

using testing::FindReplaceCase;
using testing::MessageBoxCatcher;
using testing::SearchStep;

const QString kEndMessage = QString(14, QLatin1Char(' ')) + "The End" + QString(14, QLatin1Char(' '));

using FindReplaceOnCodeEditor = testing::OnSharedCodeEditor<FindReplaceCase>;

TEST_P(FindReplaceOnCodeEditor, SameResultAsInMemory)
{
    const FindReplaceCase& c = GetParam();
    Editor& editor = s_memo->editor();
    editor.setText(c.text);
    editor.select(c.selectionStart, c.selectionLength);
    switch (c.step) {
    case SearchStep::Find: EXPECT_EQ(findFrom(&editor, c.pattern), c.expectedResult); break;
    case SearchStep::Replace: EXPECT_EQ(replaceCurrent(&editor, c.pattern, c.replacement), c.expectedResult); break;
    case SearchStep::All:
        EXPECT_EQ(replaceAll(&editor, c.pattern, c.replacement), c.expectedCount);
        if (c.expectedCount > 0) {
            // However many were replaced, one undo brings the text back.
            editor.undo();
            EXPECT_EQ(editor.text(), c.text);
            editor.setText(c.expectedText);
            editor.select(c.expectedStart, c.expectedLength);
        }
        break;
    }
    EXPECT_EQ(editor.text(), c.expectedText);
    EXPECT_EQ(editor.selectionStart(), c.expectedStart);
    EXPECT_EQ(editor.selectionLength(), c.expectedLength);
}

TEST(FindReplaceOnCodeEditor, ReplaceAllAndNewTextKeepWordWrap)
{
    // Word wrap is off only while a large change is made.
    CodeEditor memo(SyntaxColouring::Html);
    ASSERT_EQ(memo.wrapMode(), QsciScintilla::WrapWord);
    memo.editor().setText("a a a");
    EXPECT_EQ(memo.wrapMode(), QsciScintilla::WrapWord);
    memo.editor().select(0, 1);
    EXPECT_EQ(replaceAll(&memo.editor(), "a", "b"), 3u);
    EXPECT_EQ(memo.wrapMode(), QsciScintilla::WrapWord);
    EXPECT_TRUE(memo.updatesEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, FindReplaceOnCodeEditor, ::testing::ValuesIn(testing::kFindReplaceCases),
                         vellumar::testing_support::CaseName{});

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setProgramFolder(m_folder.path());
        m_windows = std::make_unique<ApplicationWindows>();
        m_window = &m_windows->mainWindow();
        m_find = &m_windows->findDialog();
        m_replace = &m_windows->replaceDialog();
        m_window->show();
        m_source = &m_window->sourceEditor()->editor();
    }
    void TearDown() override
    {
        m_windows.reset();
        setProgramFolder(QString());
    }
    void trigger(ActionId id) { m_window->action(id)->trigger(); }
    void pressEnter(QLineEdit* edit) { QTest::keyClick(edit, Qt::Key_Return); }

    QTemporaryDir m_folder;
    std::unique_ptr<ApplicationWindows> m_windows;
    MainWindow* m_window = nullptr;
    FindDialog* m_find = nullptr;
    ReplaceDialog* m_replace = nullptr;
    Editor* m_source = nullptr;
    MessageBoxCatcher m_messages;
};

TEST_F(SearchWindowTest, F3TakesTheSelectedWordAndFindsItBehindTheSelection)
{
    m_source->setText("cat dog cat dog");
    m_source->select(4, 3);
    trigger(ActionId::FindNext);
    EXPECT_EQ(m_find->findEdit()->text(), "dog");
    EXPECT_EQ(m_source->selectionStart(), 12u);
    EXPECT_EQ(m_source->selectionLength(), 3u);
    EXPECT_FALSE(m_find->isVisible());
    trigger(ActionId::FindNext);
    EXPECT_EQ(m_messages.texts, QStringList{kEndMessage});
    EXPECT_EQ(m_source->selectionStart(), 12u);
}

// "The End" of F3 opens above the search dialog that stays on top, never under it.
TEST_F(SearchWindowTest, F3PastTheLastMatchSaysSoAboveTheShownSearchDialog)
{
    struct Case {
        const char* name;
        bool findShown;
        bool replaceShown;
        QWidget* owner;
    };
    const Case cases[] = {
        {"no dialog", false, false, m_window},
        {"find dialog", true, false, m_find},
        {"replace dialog", false, true, m_replace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_find->setVisible(c.findShown);
        m_replace->setVisible(c.replaceShown);
        m_messages.owners.clear();
        m_source->setText("cat");
        m_find->findEdit()->setText(QStringLiteral("dog"));
        trigger(ActionId::FindNext);
        ASSERT_EQ(m_messages.owners.size(), 1);
        EXPECT_EQ(m_messages.owners[0], c.owner);
    }
}

// In a book with an encoding of its own (UTF-8), a search box's text is looked for, taken from
// the selection and put back in that encoding, not in the character set.
TEST_F(SearchWindowTest, SearchesInABookOfItsOwnEncodingUseThatEncoding)
{
    CodeEditor& fb2 = *m_window->fb2Editor();
    fb2.setDocumentCodePage("utf-8");
    fb2.setDocumentText(
        "<p>\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80</p>");  // Война и мир
    m_window->setActivePage(MainWindow::Fb2Page);
    Editor& book = fb2.editor();

    m_find->findEdit()->setText(QStringLiteral("мир"));
    trigger(ActionId::FindNext);
    EXPECT_TRUE(m_messages.texts.isEmpty());
    EXPECT_EQ(book.selectionStart(), 17u);  // after "<p>Война и " in UTF-8
    EXPECT_EQ(book.selectionLength(), 6u);

    book.select(3, 10);  // "Война"
    trigger(ActionId::Find);
    EXPECT_EQ(m_find->findEdit()->text(), QStringLiteral("Война"));

    m_replace->findEdit()->setText(QStringLiteral("мир"));
    m_replace->replaceEdit()->setText(QStringLiteral("Мир"));
    m_replace->findButton()->click();
    m_replace->allButton()->click();
    EXPECT_EQ(book.text(), "<p>\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\x9C\xD0\xB8\xD1\x80</p>");
}

TEST_F(SearchWindowTest, F3WithoutFindTextOpensTheFindDialog)
{
    m_source->setText("text");
    trigger(ActionId::FindNext);
    EXPECT_TRUE(m_find->isVisible());
    EXPECT_TRUE(m_messages.texts.isEmpty());
}

TEST_F(SearchWindowTest, FindCommandFillsTheDialogFromTheSelection)
{
    m_source->setText("one two");
    m_source->select(4, 3);
    trigger(ActionId::Find);
    EXPECT_TRUE(m_find->isVisible());
    EXPECT_EQ(m_find->findEdit()->text(), "two");
    m_source->select(0, 0);
    trigger(ActionId::Replace);
    EXPECT_TRUE(m_replace->isVisible());
    EXPECT_TRUE(m_replace->findEdit()->text().isEmpty());  // nothing selected: the box keeps its text
}

TEST_F(SearchWindowTest, PagesWithoutAnEditorDoNothing)
{
    m_source->setText("abc abc");
    m_find->findEdit()->setText("abc");
    m_find->show();
    m_window->setActivePage(MainWindow::ImagesPage);
    m_find->findButton()->click();
    trigger(ActionId::FindNext);
    m_find->hide();
    trigger(ActionId::Find);
    trigger(ActionId::Replace);
    EXPECT_FALSE(m_find->isVisible());
    EXPECT_FALSE(m_replace->isVisible());
    EXPECT_EQ(m_source->selectionLength(), 0u);
    EXPECT_TRUE(m_messages.texts.isEmpty());
}

TEST_F(SearchWindowTest, TheFb2PageSearchesTheFb2Editor)
{
    m_source->setText("word");
    Editor& fb2 = m_window->fb2Editor()->editor();
    fb2.setText("<p>word</p>");
    m_window->setActivePage(MainWindow::Fb2Page);
    m_find->findEdit()->setText("word");
    m_find->findButton()->click();
    EXPECT_EQ(fb2.selectionStart(), 3u);
    EXPECT_EQ(m_source->selectionLength(), 0u);
}

TEST_F(SearchWindowTest, EnterInTheFindBoxFindsAndMirrorsIntoTheReplaceDialog)
{
    m_source->setText("Lamp lamp");
    m_find->show();
    m_find->findEdit()->setText("lamp");
    pressEnter(m_find->findEdit());
    EXPECT_EQ(m_source->selectionStart(), 5u);  // case-sensitive
    EXPECT_EQ(m_find->findEdit()->text(), "lamp");
    EXPECT_EQ(m_replace->findEdit()->text(), "lamp");
    pressEnter(m_find->findEdit());
    EXPECT_EQ(m_messages.texts, QStringList{kEndMessage});
}

TEST_F(SearchWindowTest, ReplaceDialogKeysAndTabOrder)
{
    m_source->setText("a b a");
    m_replace->show();
    QApplication::setActiveWindow(m_replace);
    m_replace->findEdit()->setFocus();
    m_replace->findEdit()->setText("a");
    pressEnter(m_replace->findEdit());
    EXPECT_TRUE(m_replace->replaceEdit()->hasFocus());
    EXPECT_EQ(m_source->selectionLength(), 0u);
    // Enter in "Replace with:" runs Find, not Replace.
    QTest::keyClicks(m_replace->replaceEdit(), "x");
    pressEnter(m_replace->replaceEdit());
    EXPECT_EQ(m_source->text(), "a b a");
    EXPECT_EQ(m_source->selectionStart(), 0u);
    EXPECT_EQ(m_source->selectionLength(), 1u);
    EXPECT_EQ(m_find->findEdit()->text(), "a");

    QWidget* chain = m_replace->findEdit();
    const QWidget* expected[] = {m_replace->replaceEdit(), m_replace->findButton(), m_replace->replaceButton(),
                                 m_replace->allButton(), m_replace->closeButton()};
    for (const QWidget* next : expected) {
        chain = chain->nextInFocusChain();
        EXPECT_EQ(chain, next) << next->objectName().toStdString();
    }
}

TEST_F(SearchWindowTest, ReplacePressesFindThenReplaceOneByOne)
{
    m_source->setText("a b a");
    m_replace->findEdit()->setText("a");
    m_replace->replaceEdit()->setText("xy");
    m_replace->replaceButton()->click();
    EXPECT_EQ(m_source->text(), "a b a");
    EXPECT_EQ(m_source->selectionLength(), 1u);
    m_replace->replaceButton()->click();
    EXPECT_EQ(m_source->text(), "xy b a");
    EXPECT_EQ(m_source->selectionStart(), 5u);
    m_replace->replaceButton()->click();
    EXPECT_EQ(m_source->text(), "xy b xy");
    EXPECT_EQ(m_messages.texts, QStringList{kEndMessage});
}

TEST_F(SearchWindowTest, AllAfterFindReportsTheCountOnlyAndIsOneUndoStep)
{
    m_source->setText("a-a-a-a");
    m_source->select(1, 0);
    m_replace->findEdit()->setText("a");
    m_replace->replaceEdit()->setText("aa");
    m_replace->allButton()->click();
    EXPECT_EQ(m_messages.texts, QStringList{"0 items replaced."});  // nothing selected yet
    m_replace->findButton()->click();
    m_replace->allButton()->click();
    EXPECT_EQ(m_source->text(), "a-aa-aa-aa");
    EXPECT_EQ(m_messages.texts, (QStringList{"0 items replaced.", "3 items replaced."}));
    m_source->undo();
    EXPECT_EQ(m_source->text(), "a-a-a-a");
}

TEST_F(SearchWindowTest, EmptyFindTextOnlyMirrors)
{
    m_source->setText("a");
    m_find->findEdit()->setText("kept");
    m_replace->findEdit()->clear();
    auto* entireScope = m_replace->findChild<QRadioButton*>("RadioButton2");
    entireScope->setChecked(true);
    for (ColorButton* button : {m_replace->findButton(), m_replace->replaceButton(), m_replace->allButton()})
        button->click();
    EXPECT_TRUE(m_find->findEdit()->text().isEmpty());
    EXPECT_TRUE(m_find->findChild<QRadioButton*>("RadioButton2")->isChecked());
    EXPECT_EQ(m_source->text(), "a");
    EXPECT_TRUE(m_messages.texts.isEmpty());
}

TEST_F(SearchWindowTest, CloseAndEscMirrorIntoTheOtherDialog)
{
    m_replace->show();
    m_replace->findEdit()->setText("from replace");
    QTest::keyClick(m_replace, Qt::Key_Escape);
    EXPECT_FALSE(m_replace->isVisible());
    EXPECT_EQ(m_find->findEdit()->text(), "from replace");
    m_find->show();
    m_find->findEdit()->setText("from find");
    m_find->closeButton()->click();
    EXPECT_FALSE(m_find->isVisible());
    EXPECT_EQ(m_replace->findEdit()->text(), "from find");
}

TEST_F(SearchWindowTest, LettersTheCodePageLacksAreSearchedAsStored)
{
    // The editor keeps a Greek alpha as a character reference in windows-1251 text.
    m_source->setText("x &#945; y");
    m_find->findEdit()->setText(QString::fromUtf8("\xCE\xB1"));
    m_find->findButton()->click();
    EXPECT_EQ(m_source->selectionStart(), 2u);
    EXPECT_EQ(m_source->selectionLength(), 6u);
    // And a selected Cyrillic word reaches the box as its letters.
    m_source->setText("\xF1\xEB\xEE\xE2\xEE");
    m_source->select(0, 5);
    trigger(ActionId::Find);
    EXPECT_EQ(m_find->findEdit()->text(), QString::fromUtf8("\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE"));
}

}  // namespace
}  // namespace vellumar
