// Keyboard use of the main window: where the focus is at start and after a page change, the
// focus mark of the tab bar, the editors' pop-up menus from the keyboard, and Tab through the
// settings pages with the radio groups entered by Tab and moved in by the arrow keys.

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "ui/editor/code_editor.h"
#include "ui/settings/program_folder.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

class KeyboardFocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setProgramFolder(QStringLiteral("/nonexistent"));
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    void TearDown() override
    {
        m_window.reset();
        setProgramFolder(QString());
    }

    QString focusName() const
    {
        // A spin box's text field has no name of its own: the control it belongs to counts.
        for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
                return widget->objectName();
        return {};
    }

    // The named controls that Tab reaches from the focused one, in order, until it comes round.
    QStringList tabStops()
    {
        QStringList stops;
        const QString first = focusName();
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = focusName();
            if (name == first) break;
            stops << name;
        }
        return stops;
    }

    template <typename Widget>
    Widget* find(const char* name) const
    {
        return m_window->findChild<Widget*>(QString::fromLatin1(name));
    }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(KeyboardFocusTest, SourceEditorHasTheFocusAtStartAndEachEditorPageGivesItsEditorTheFocus)
{
    EXPECT_EQ(QApplication::focusWidget(), m_window->sourceEditor());
    QTabBar* tabs = m_window->pages()->tabBar();
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(m_window->pages()->currentIndex(), MainWindow::Fb2Page);
    EXPECT_EQ(QApplication::focusWidget(), m_window->fb2Editor());
    m_window->pages()->setCurrentIndex(MainWindow::SettingsPage);
    m_window->pages()->setCurrentIndex(MainWindow::SourcePage);
    EXPECT_EQ(QApplication::focusWidget(), m_window->sourceEditor());
}

TEST_F(KeyboardFocusTest, TabBarShowsAFocusMarkWhileItHasTheFocus)
{
    QTabBar* tabs = m_window->pages()->tabBar();
    const QImage without = tabs->grab().toImage();
    tabs->setFocus();
    ASSERT_TRUE(tabs->hasFocus());
    const QImage with = tabs->grab().toImage();
    EXPECT_NE(with, without);
}

TEST_F(KeyboardFocusTest, ShiftF10AndTheMenuKeyOpenTheEditorsPopupMenus)
{
    struct Case {
        MainWindow::Page page;
        CodeEditor* editor;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {MainWindow::SourcePage, m_window->sourceEditor(), Qt::Key_F10, Qt::ShiftModifier},
        {MainWindow::Fb2Page, m_window->fb2Editor(), Qt::Key_Menu, Qt::NoModifier},
        {MainWindow::Fb2Page, m_window->fb2Editor(), Qt::Key_F10, Qt::ShiftModifier},
    };
    for (const Case& c : cases) {
        m_window->setActivePage(c.page);
        QMenu* menu = c.editor->popupMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_FALSE(menu->isVisible());
        QTest::keyClick(c.editor, c.key, c.modifiers);
        EXPECT_TRUE(menu->isVisible()) << c.editor->objectName().toStdString() << " key " << c.key;
        menu->hide();
    }
}

TEST_F(KeyboardFocusTest, TabReachesEverySettingsControlAndEntersRadioGroupsAtTheCheckedButton)
{
    m_window->setActivePage(MainWindow::SettingsPage);
    find<QWidget>("ChBShowTitleInfo")->setFocus(Qt::TabFocusReason);
    const QStringList settings = tabStops();
    for (const char* name : {"CheckBox22", "ComboBox1", "CheckBox18", "SpinEdit1", "SpinEdit2", "RadioButton6",
                             "RadioButton5"})
        EXPECT_TRUE(settings.contains(QString::fromLatin1(name))) << name << " in " << settings.join(' ').toStdString();
    for (const char* name : {"RadioButton7", "RadioButton8", "RadioButton4"})
        EXPECT_FALSE(settings.contains(QString::fromLatin1(name))) << name << " is entered by the arrow keys";

    // Arrows move inside "Tables" and check as they go; the next Tab enters at the new choice.
    auto* asIs = find<QRadioButton>("RadioButton6");
    asIs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(asIs, Qt::Key_Down);
    EXPECT_EQ(focusName(), "RadioButton7");
    EXPECT_TRUE(find<QRadioButton>("RadioButton7")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RadioButton5")->isChecked()) << "the border group is a group of its own";
    find<QWidget>("ChBShowTitleInfo")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(tabStops().contains(QStringLiteral("RadioButton7")));

    m_window->setActivePage(MainWindow::CommonSettingsPage);
    find<QWidget>("RadioButton1")->setFocus(Qt::TabFocusReason);
    const QStringList common = tabStops();
    for (const char* name : {"SpeedButton1", "ComboBox2"})
        EXPECT_TRUE(common.contains(QString::fromLatin1(name))) << name << " in " << common.join(' ').toStdString();
    EXPECT_FALSE(common.contains(QStringLiteral("RadioButton3")));
}

}  // namespace
}  // namespace vellumar
