// The main window's structure: component names and kinds, captions, shortcuts, menus, tool bars,
// start values, the caption rule and the hidden menu.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

#include "desktop_fonts.h"
#include "scripted_window_test.h"
#include "ui/actions/action_hint.h"
#include "ui/actions/edit_actions.h"
#include "ui/commands/busy_cursor.h"
#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/action_table.h"
#include "ui/window/main_window.h"
#include "ui/window/silver_colours.h"

namespace vellumar {
namespace {

class MainWindowTest : public testing::ScriptedWindowTest {
protected:
    template <typename Widget>
    Widget* find(const char* name) const
    {
        return m_window->findChild<Widget*>(QString::fromLatin1(name));
    }

    // The names of a widget's actions in order, "-" for separators.
    static QStringList actionNames(const QWidget& widget)
    {
        QStringList names;
        for (const QAction* action : widget.actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        return names;
    }
};

TEST_F(MainWindowTest, NamedComponentsExistWithTheirKinds)
{
    EXPECT_EQ(m_window->objectName(), "Form1");
    EXPECT_NE(find<PageTabWidget>("PageControl1"), nullptr);
    for (const char* name : {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5"})
        EXPECT_NE(find<QWidget>(name), nullptr) << name;
    for (const char* name : {"SynMemo1", "SynMemo2"}) EXPECT_NE(find<CodeEditor>(name), nullptr) << name;
    for (const char* name : {"Memo1", "Memo2"}) EXPECT_NE(find<QPlainTextEdit>(name), nullptr) << name;
    for (const char* name : {"CheckBox18", "CheckBox22", "ChBShowTitleInfo"})
        EXPECT_NE(find<QCheckBox>(name), nullptr) << name;
    for (const char* name : {"SpinEdit1", "SpinEdit2"}) EXPECT_NE(find<QSpinBox>(name), nullptr) << name;
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5",
                             "RadioButton6", "RadioButton7", "RadioButton8"})
        EXPECT_NE(find<QRadioButton>(name), nullptr) << name;
    for (const char* name : {"ComboBox1", "ComboBox2"}) EXPECT_NE(find<QComboBox>(name), nullptr) << name;
    for (const char* name : {"Label1", "Label2", "Label3", "Label13", "Label14"})
        EXPECT_NE(find<QLabel>(name), nullptr) << name;
    for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5", "GroupBox6", "GroupBox7"})
        EXPECT_NE(find<QGroupBox>(name), nullptr) << name;
    EXPECT_NE(find<QToolButton>("SpeedButton1"), nullptr);
    for (const char* name : {"PopupMenu1", "PopupMenu2", "mm_File1", "Edit1", "mm_Help1", "Unvisible1"})
        EXPECT_NE(find<QMenu>(name), nullptr) << name;
}

TEST_F(MainWindowTest, PagesInTabOrderWithCaptions)
{
    const QTabWidget* pages = find<QTabWidget>("PageControl1");
    const std::pair<const char*, const char*> expected[] = {{"TabSheet1", "Source"},
                                                            {"TabSheet2", "FB2"},
                                                            {"TabSheet4", "Images"},
                                                            {"TabSheet3", "Settings"},
                                                            {"TabSheet5", "Common Settings"}};
    ASSERT_EQ(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), expected[i].first);
        EXPECT_EQ(pages->tabText(i), expected[i].second);
        EXPECT_EQ(pages->tabBar()->tabRect(i).width(), 100);
    }
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(MainWindowTest, KeysReachTheirActionsOnly)
{
    const std::pair<ActionId, const char*> keys[] = {
        {ActionId::NewSourceDocument, "Ctrl+N"}, {ActionId::OpenSource, "Ctrl+O"}, {ActionId::Convert, "F9"},
        {ActionId::ConvertTable, "F6"},          {ActionId::SaveFb2, "Ctrl+S"},     {ActionId::CheckFb2, "F8"},
        {ActionId::Undo, "Ctrl+Z"},              {ActionId::Cut, "Ctrl+X"},         {ActionId::Copy, "Ctrl+C"},
        {ActionId::Paste, "Ctrl+V"},             {ActionId::SelectAll, "Ctrl+A"},   {ActionId::Find, "Ctrl+F"},
        {ActionId::FindNext, "F3"},              {ActionId::Replace, "Ctrl+R"},     {ActionId::ShowHelp, "F1"},
        {ActionId::ToggleHiddenMenu, "Ctrl+U"},
    };
    QStringList withKeys;
    for (const auto& [id, key] : keys) {
        const QAction* action = m_window->action(id);
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), key) << action->objectName().toStdString();
        withKeys << action->objectName();
    }
    ASSERT_EQ(m_window->actions().size(), kActionCount);
    for (const QAction* action : m_window->actions()) {
        if (!withKeys.contains(action->objectName())) {
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, ActionsAndMenuItemsHaveDistinctNames)
{
    // The names are the keys of the language files: two objects with one name would share a text.
    QStringList names;
    for (const QAction* action : m_window->findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        if (action->objectName().isEmpty()) continue;
        EXPECT_FALSE(names.contains(action->objectName())) << action->objectName().toStdString();
        names << action->objectName();
    }
    EXPECT_GT(names.size(), kActionCount);  // the menu items are among them
}

TEST_F(MainWindowTest, SomeActionsShowNoTip)
{
    for (ActionId id : {ActionId::Exit, ActionId::ShowHelp, ActionId::ToggleHiddenMenu}) {
        EXPECT_TRUE(actionHint(*m_window->action(id)).isEmpty()) << m_window->action(id)->objectName().toStdString();
        EXPECT_TRUE(m_window->action(id)->statusTip().isEmpty());
    }
    EXPECT_EQ(actionHint(*m_window->action(ActionId::Convert)), "Convert");
}

TEST_F(MainWindowTest, LongHintsSplitIntoTipAndStatusText)
{
    const QAction* copy = m_window->action(ActionId::Copy);
    EXPECT_TRUE(copy->toolTip().contains(QStringLiteral("Copy")));
    EXPECT_FALSE(copy->toolTip().contains(QStringLiteral("Clipboard")));
    EXPECT_EQ(copy->statusTip(), "Copies the selection and puts it on the Clipboard");
    // A tag caption is shown as written, not taken for markup.
    EXPECT_TRUE(m_window->action(ActionId::WrapParagraph)->toolTip().contains(QStringLiteral("&lt;p&gt;...&lt;/p&gt;")));
}

TEST_F(MainWindowTest, ToolBarsHoldTheirActionsInOrder)
{
    const std::pair<const char*, QStringList> expected[] = {
        {"ToolBar1",
         {"Act_NewHTMLDoc", "Act_OpenSource", "Act_SaveSourceHTML", "-", "Act_ConvertTable", "-", "Act_Convert", "-",
          "Act_Find", "Act_Replace"}},
        {"ToolBar2",
         {"Act_NewFB2Doc", "Act_openFB2", "Act_SaveResult", "-", "Act_Convert", "-", "Act_SaveAndView", "Act_CheckFB2", "-",
          "Act_Find", "Act_Replace", "-", "Act_p", "Act_Epigraph", "Act_Cite", "Act_Author", "Act_poem",
          "Act_stanza", "Act_v", "-", "Act_strong", "Act_emphasis", "-", "Act_EmptyLine"}},
        {"ToolBar3", {"Act_LoadImage", "-", "Act_CopyToClip1", "Act_ClearMemo1"}},
        {"ToolBar4", {"Act_CopyToClip2", "Act_ClearMemo2"}},
        {"ToolBar5", {"Act_openOptions", "Act_SaveOption", "-", "Act_Convert"}},
    };
    const char* pages[] = {"TabSheet1", "TabSheet2", "TabSheet4", "TabSheet4", "TabSheet3"};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].first);
        const QToolBar* bar = find<QToolBar>(expected[i].first);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(actionNames(*bar), expected[i].second);
        EXPECT_TRUE(find<QWidget>(pages[i])->isAncestorOf(bar));
    }
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder)
{
    const std::pair<const char*, QStringList> expected[] = {
        {"mm_File1",
         {"New1", "mm_OpenSource1", "SavesourceHTML1", "SavesourceHTMLAs1", "N2", "mm_Rerefinefile1", "N3", "New2",
          "OpenFB2file1", "SaveFB21", "mm_Saveresultfile1", "CheckFB21", "mm_N1", "mm_Exit1"}},
        {"Edit1",
         {"Undo1", "N1", "Cut1", "Copy1", "Paste1", "Delete1", "SelectAll1", "N5", "ActFind1", "Findagain1",
          "Replace1"}},
        {"mm_Help1", {"mm_Help2", "mm_About1"}},
        {"Unvisible1", {"Recreate1"}},
        {"PopupMenu1", {"Cut2", "Copy2", "Paste2", "Delete2", "SelectAll2"}},
        {"PopupMenu2",
         {"Cut3", "Copy3", "Paste3", "Delete3", "SelectAll3", "N4", "epigraphepigraph1", "citecite1",
          "textauthortextauthor1", "poempoem1", "stanzastanza1", "vv1", "strongstrong1", "emphasisemphasis1",
          "emptyline1"}},
    };
    for (const auto& [menuName, items] : expected) {
        SCOPED_TRACE(menuName);
        const QMenu* menu = find<QMenu>(menuName);
        ASSERT_NE(menu, nullptr);
        QStringList names;
        for (const QAction* item : menu->actions()) names << item->objectName();
        EXPECT_EQ(names, items);
    }
    QStringList titles;
    for (const QAction* menu : m_window->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Help", "Unvisible"}));
}

TEST_F(MainWindowTest, MenuItemsFollowTheirActions)
{
    const auto* open = find<QAction>("mm_OpenSource1");
    EXPECT_EQ(open->text(), QStringLiteral("Open...\t") + QKeySequence(QStringLiteral("Ctrl+O")).toString(QKeySequence::NativeText));
    EXPECT_TRUE(open->shortcut().isEmpty());
    EXPECT_TRUE(find<QAction>("N2")->isSeparator());
    EXPECT_EQ(find<QAction>("mm_About1")->text(), "About...");

    QAction* convert = m_window->action(ActionId::Convert);
    convert->setText(QStringLiteral("Umwandeln"));
    EXPECT_TRUE(find<QAction>("mm_Rerefinefile1")->text().startsWith(QStringLiteral("Umwandeln\t")));
    convert->setEnabled(false);
    EXPECT_FALSE(find<QAction>("mm_Rerefinefile1")->isEnabled());

    int runs = 0;
    QObject::connect(convert, &QAction::triggered, [&runs] { ++runs; });
    convert->setEnabled(true);
    m_dialogs.openNames = {QString()};  // Convert with an empty source asks for one first
    find<QAction>("mm_Rerefinefile1")->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, SettingsControlsStartValues)
{
    EXPECT_TRUE(find<QCheckBox>("ChBShowTitleInfo")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox18")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox22")->isChecked());
    EXPECT_EQ(find<QSpinBox>("SpinEdit1")->value(), 580);
    EXPECT_EQ(find<QSpinBox>("SpinEdit2")->value(), 700);
    EXPECT_FALSE(find<QCheckBox>("ChBCompleteBook")->isChecked());
    EXPECT_EQ(find<QComboBox>("ComboBox1")->count(), 7);  // "H1".."H6" and "Auto"
    EXPECT_EQ(find<QComboBox>("ComboBox1")->itemText(6), "Auto");
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentText(), "H1");
    EXPECT_EQ(find<QComboBox>("ComboBox2")->count(), 18);
    EXPECT_EQ(find<QComboBox>("ComboBox2")->currentText(), "DEFAULT_CHARSET");
    EXPECT_EQ(find<QLabel>("Label2")->text(), "as <title>...</title>");
    EXPECT_EQ(find<QLabel>("Label2")->textFormat(), Qt::PlainText);
    EXPECT_TRUE(find<QLabel>("Label3")->alignment() & Qt::AlignRight);
    EXPECT_EQ(find<QToolButton>("SpeedButton1")->text(), "...");
    EXPECT_TRUE(find<QLabel>("Label1")->text().isEmpty());

    const std::pair<const char*, bool> radios[] = {{"RadioButton1", true},  {"RadioButton2", false},
                                                   {"RadioButton3", false}, {"RadioButton4", false},
                                                   {"RadioButton5", true},  {"RadioButton6", true},
                                                   {"RadioButton7", false}, {"RadioButton8", false}};
    for (const auto& [name, checked] : radios) EXPECT_EQ(find<QRadioButton>(name)->isChecked(), checked) << name;

    const ConversionOptions options = m_window->conversionOptions();
    EXPECT_TRUE(options.resize);
    EXPECT_EQ(options.maxWidth, 580);
    EXPECT_EQ(options.maxHeight, 700);
    EXPECT_EQ(options.tableBorder, TableBorder::Visible);
    EXPECT_EQ(options.tableMode, TableMode::AsIs);
    EXPECT_EQ(options.titleLevel, 0);
}

TEST_F(MainWindowTest, RadioGroupsAreExclusiveOnlyWithinThemselves)
{
    find<QRadioButton>("RadioButton8")->setChecked(true);
    EXPECT_FALSE(find<QRadioButton>("RadioButton6")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton5")->isChecked());
    find<QRadioButton>("RadioButton4")->setChecked(true);
    EXPECT_FALSE(find<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton8")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton1")->isChecked());
    find<QRadioButton>("RadioButton3")->setChecked(true);
    EXPECT_FALSE(find<QRadioButton>("RadioButton1")->isChecked());

    find<QSpinBox>("SpinEdit1")->setValue(-5);
    find<QSpinBox>("SpinEdit2")->setValue(100000);
    find<QComboBox>("ComboBox1")->setCurrentIndex(5);
    const ConversionOptions options = m_window->conversionOptions();
    EXPECT_EQ(options.tableMode, TableMode::ConvertToImage);
    EXPECT_TRUE(options.tablesToPictures());
    EXPECT_EQ(options.tableBorder, TableBorder::AsSource);
    EXPECT_EQ(options.maxWidth, -5);
    EXPECT_EQ(options.maxHeight, 100000);
    EXPECT_EQ(options.titleLevel, 5);
}

TEST_F(MainWindowTest, RussianIsDisabledWithoutItsLanguageFile)
{
    EXPECT_FALSE(find<QRadioButton>("RadioButton2")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("RadioButton1")->isChecked());

    QFile file(m_folder.filePath(QStringLiteral("Vellumar_ru.lng")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    MainWindow withRussian;
    EXPECT_TRUE(withRussian.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->isEnabled());
}

TEST_F(MainWindowTest, CaptionFollowsTheDocumentPagesOnly)
{
    EXPECT_EQ(m_window->windowTitle(), "Vellumar");
    m_window->setSourceFileName(QStringLiteral("New"));
    m_window->setFb2FileName(QStringLiteral("/books/a.fb2"));
    QTabWidget* pages = find<QTabWidget>("PageControl1");

    pages->setCurrentIndex(1);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : /books/a.fb2");
    for (int page : {2, 3, 4}) {
        pages->setCurrentIndex(page);
        EXPECT_EQ(m_window->windowTitle(), "Vellumar : /books/a.fb2");
    }
    pages->setCurrentIndex(0);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : New");
    m_window->setSourceFileName(QString());
    pages->setCurrentIndex(3);
    pages->setCurrentIndex(0);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : ");

    // A command that makes a page active leaves the caption alone.
    m_window->setActivePage(MainWindow::Fb2Page);
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(m_window->windowTitle(), "Vellumar : ");
}

TEST_F(MainWindowTest, ActiveEditorFollowsThePage)
{
    EXPECT_EQ(m_window->activeEditor(), &m_window->sourceEditor()->editor());
    m_window->setActivePage(MainWindow::Fb2Page);
    EXPECT_EQ(m_window->activeEditor(), &m_window->fb2Editor()->editor());
    for (int page : {2, 3, 4}) {
        m_window->setActivePage(page);
        EXPECT_EQ(m_window->activeEditor(), nullptr);
    }
}

TEST_F(MainWindowTest, WindowGeometry)
{
    EXPECT_EQ(m_window->minimumSize(), QSize(550, 490));
    const QMargins margins = m_window->centralWidget()->layout()->contentsMargins();
    EXPECT_EQ(margins, QMargins(10, 10, 10, 10));
}

// With a large desktop font the window's least size grows, so that the settings pages' controls
// (the "Table Border" radio buttons among them) never lie over each other.
TEST(MainWindowFont, SettingsControlsDoNotOverlapWithALargeFont)
{
    setProgramFolder(QStringLiteral("/nonexistent"));
    testing::forEachDesktopFontSize([] {
        MainWindow form;
        form.resize(form.minimumSize());
        form.show();
        for (const int page : {MainWindow::SettingsPage, MainWindow::CommonSettingsPage}) {
            form.setActivePage(page);
            QCoreApplication::processEvents();
            QWidget* shown = form.pages()->currentWidget();
            const QList<QAbstractButton*> buttons = shown->findChildren<QAbstractButton*>();
            for (QAbstractButton* button : buttons) {
                if (!button->isVisible()) continue;
                EXPECT_GE(button->height(), button->minimumSizeHint().height()) << button->objectName().toStdString();
                const QRect area(button->mapTo(shown, QPoint()), button->size());
                for (QAbstractButton* other : buttons) {
                    if (other == button || !other->isVisible() || other->isAncestorOf(button) ||
                        button->isAncestorOf(other))
                        continue;
                    EXPECT_FALSE(area.intersects(QRect(other->mapTo(shown, QPoint()), other->size())))
                        << button->objectName().toStdString() << " over " << other->objectName().toStdString();
                }
            }
        }
    });
    setProgramFolder(QString());
}

TEST_F(MainWindowTest, CtrlUShowsAndHidesTheHiddenMenu)
{
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    const QAction* hidden = find<QMenu>("Unvisible1")->menuAction();
    EXPECT_FALSE(hidden->isVisible());
    m_window->sourceEditor()->setFocus();
    QTest::keyClick(m_window->sourceEditor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(hidden->isVisible());
    QTest::keyClick(m_window->sourceEditor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_FALSE(hidden->isVisible());
    // The key did not reach the editor's own key map.
    EXPECT_TRUE(m_window->sourceEditor()->text().isEmpty());
}

TEST_F(MainWindowTest, EditActionsFollowTheFocusedEditor)
{
    auto enabled = [this](ActionId id) { return m_window->action(id)->isEnabled(); };
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->setActivePage(MainWindow::SettingsPage);
    find<QCheckBox>("CheckBox18")->setFocus();
    m_window->editActions()->updateActions();
    for (ActionId id : {ActionId::Undo, ActionId::Cut, ActionId::Copy, ActionId::Delete, ActionId::SelectAll})
        EXPECT_FALSE(enabled(id)) << m_window->action(id)->objectName().toStdString();

    m_window->setActivePage(MainWindow::Fb2Page);
    CodeEditor* memo = m_window->fb2Editor();
    memo->setFocus();
    memo->editor().setText("abc def");
    m_window->editActions()->updateActions();
    EXPECT_EQ(m_window->editActions()->currentTarget(), memo);
    EXPECT_TRUE(enabled(ActionId::SelectAll));
    EXPECT_FALSE(enabled(ActionId::Copy));
    EXPECT_FALSE(enabled(ActionId::Undo));

    memo->editor().select(0, 3);
    EXPECT_TRUE(enabled(ActionId::Copy));
    EXPECT_TRUE(enabled(ActionId::Cut));
    EXPECT_TRUE(enabled(ActionId::Delete));
    m_window->action(ActionId::Delete)->trigger();
    EXPECT_EQ(memo->editor().text(), " def");
    EXPECT_TRUE(enabled(ActionId::Undo));
    m_window->action(ActionId::Undo)->trigger();
    EXPECT_EQ(memo->editor().text(), "abc def");
    m_window->action(ActionId::SelectAll)->trigger();
    EXPECT_EQ(memo->editor().selectionLength(), 7U);

    QPlainTextEdit* box = find<QPlainTextEdit>("Memo2");
    m_window->setActivePage(MainWindow::ImagesPage);
    box->setFocus();
    box->setPlainText(QStringLiteral("binary"));
    m_window->editActions()->updateActions();
    EXPECT_EQ(m_window->editActions()->currentTarget(), box);
    EXPECT_FALSE(enabled(ActionId::Copy));
    m_window->action(ActionId::SelectAll)->trigger();
    EXPECT_TRUE(enabled(ActionId::Copy));
}

// A menu opened from the keyboard gives the menu bar the focus; the edit commands still follow
// the editor that had it.
TEST_F(MainWindowTest, EditActionsFollowTheEditorWhileTheMenuBarHasTheFocus)
{
    auto enabled = [this](ActionId id) { return m_window->action(id)->isEnabled(); };
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->setActivePage(MainWindow::SourcePage);
    CodeEditor* memo = m_window->sourceEditor();
    memo->setFocus();
    memo->editor().setText("abc def");
    memo->editor().select(0, 3);
    m_window->menuBar()->setFocus(Qt::MenuBarFocusReason);
    m_window->editActions()->updateActions();
    ASSERT_EQ(m_window->focusWidget(), m_window->menuBar());
    EXPECT_EQ(m_window->editActions()->currentTarget(), memo);
    for (ActionId id : {ActionId::Cut, ActionId::Copy, ActionId::Delete, ActionId::SelectAll})
        EXPECT_TRUE(enabled(id)) << m_window->action(id)->objectName().toStdString();
    m_window->action(ActionId::Delete)->trigger();
    EXPECT_EQ(memo->editor().text(), " def");

    // Another control took the focus since: nothing to act on.
    m_window->setActivePage(MainWindow::SettingsPage);
    find<QCheckBox>("CheckBox18")->setFocus();
    m_window->editActions()->updateActions();
    m_window->menuBar()->setFocus(Qt::MenuBarFocusReason);
    m_window->editActions()->updateActions();
    EXPECT_EQ(m_window->editActions()->currentTarget(), nullptr);
    EXPECT_FALSE(enabled(ActionId::SelectAll));
}

TEST_F(MainWindowTest, TagCommandsWorkOnTheFb2EditorFromAnyPage)
{
    Editor& fb2 = m_window->fb2Editor()->editor();
    fb2.setText("one two");
    fb2.select(4, 3);
    m_window->setActivePage(MainWindow::SettingsPage);
    m_window->action(ActionId::WrapStrong)->trigger();
    EXPECT_EQ(fb2.text(), "one <strong>two</strong>");
    EXPECT_EQ(fb2.selectionStart(), fb2.text().size());
    EXPECT_TRUE(m_window->sourceEditor()->editor().text().empty());
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Each tag action, on the tool bar and in the FB2 editor's pop-up menu, wraps in its own element.
TEST_F(MainWindowTest, EachTagActionWrapsInItsElement)
{
    struct Case {
        ActionId action;
        const char* popupItem;  // null: not in the pop-up menu
        std::string element;
    };
    const Case cases[] = {
        {ActionId::WrapParagraph, nullptr, "<p>"},
        {ActionId::WrapEpigraph, "epigraphepigraph1", "<epigraph>"},
        {ActionId::WrapCite, "citecite1", "<cite>"},
        {ActionId::WrapTextAuthor, "textauthortextauthor1", "<text-author>"},
        {ActionId::WrapPoem, "poempoem1", "<poem>"},
        {ActionId::WrapStanza, "stanzastanza1", "<stanza>"},
        {ActionId::WrapVerse, "vv1", "<v>"},  // turns the selection's paragraphs into verses
        {ActionId::WrapStrong, "strongstrong1", "<strong>"},
        {ActionId::WrapEmphasis, "emphasisemphasis1", "<emphasis>"},
        {ActionId::InsertEmptyLine, "emptyline1", "<empty-line/>"},
    };
    Editor& fb2 = m_window->fb2Editor()->editor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        QList<QAction*> triggers{m_window->action(c.action)};
        if (c.popupItem) triggers << find<QAction>(c.popupItem);
        for (QAction* trigger : triggers) {
            const std::string text = "<p>word</p>";
            fb2.setText(text);
            fb2.select(0, text.size());
            trigger->trigger();
            EXPECT_EQ(occurrences(fb2.text(), c.element), occurrences(text, c.element) + 1) << fb2.text();
        }
    }
}

TEST_F(MainWindowTest, CutCopyAndPasteActOnTheFocusedEditor)
{
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->setActivePage(MainWindow::Fb2Page);
    CodeEditor* memo = m_window->fb2Editor();
    memo->setFocus();
    memo->editor().setText("abc def");

    memo->editor().select(0, 3);
    m_window->action(ActionId::Copy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    EXPECT_EQ(memo->editor().text(), "abc def");

    memo->editor().select(4, 3);
    m_window->action(ActionId::Cut)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "def");
    EXPECT_EQ(memo->editor().text(), "abc ");

    memo->editor().select(0, 0);
    m_window->action(ActionId::Paste)->trigger();
    EXPECT_EQ(memo->editor().text(), "defabc ");
}

}  // namespace
}  // namespace vellumar

namespace vellumar {
namespace {

TEST_F(MainWindowTest, SilverColoursReachFormsToolBarsAndGroupBoxesOnly)
{
    const QColor silver(192, 192, 192);
    EXPECT_FALSE(isNt6System());  // this platform keeps the toolkit's colours at show time
    m_window->show();
    EXPECT_NE(m_window->palette().color(m_window->backgroundRole()), silver);

    setSilverColours();
    EXPECT_EQ(m_window->palette().color(m_window->backgroundRole()), silver);
    for (const char* name : {"GroupBox3", "GroupBox7"})
        EXPECT_EQ(find<QGroupBox>(name)->palette().color(QPalette::Window), silver) << name;
    const QToolBar* bar = find<QToolBar>("ToolBar2");
    EXPECT_EQ(bar->palette().color(bar->backgroundRole()), silver);
    // Text areas keep their own white.
    const QPlainTextEdit* memo = find<QPlainTextEdit>("Memo1");
    EXPECT_NE(memo->viewport()->palette().color(memo->viewport()->backgroundRole()), silver);
}

TEST_F(MainWindowTest, EditorsHaveTheirPopupMenusAndExitClosesTheWindow)
{
    EXPECT_EQ(m_window->sourceEditor()->popupMenu(), find<QMenu>("PopupMenu1"));
    EXPECT_EQ(m_window->fb2Editor()->popupMenu(), find<QMenu>("PopupMenu2"));

    int closed = 0;
    QObject::connect(m_window.get(), &MainWindow::closed, [&closed] { ++closed; });
    m_window->show();
    m_window->action(ActionId::Exit)->trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(MainWindowTest, BusyCursorCoversTheProgramWhileACommandRuns)
{
    EXPECT_EQ(m_window->busyCursor().shape(), Qt::BusyCursor);
    {
        BusyCursorScope busy(m_window->busyCursor());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vellumar
