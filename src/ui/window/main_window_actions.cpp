// The main window's actions, tool bars and menus, built from the action table, and the commands
// that belong to the window itself.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "editing/tag_commands.h"
#include "ui/actions/action_hint.h"
#include "ui/actions/action_icons.h"
#include "ui/actions/menu_items.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/help_window.h"
#include "ui/editor/code_editor.h"
#include "ui/widgets/book_check_panel.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

constexpr int kToolBarIconSize = 16;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The actions are children of the window and added to it, so that their shortcuts work anywhere
// in the window.
void MainWindow::createActions()
{
    for (const ActionRow& row : windowActions().rows) {
        auto* created = new QAction(fromView(row.caption), this);
        created->setObjectName(fromView(row.name));
        if (!row.shortcut.empty())
            created->setShortcut(QKeySequence(fromView(row.shortcut), QKeySequence::PortableText));
        setActionHint(*created, row.hintIsCaption ? fromView(row.caption) : fromView(row.hint));
        if (row.command)
            connect(created, &QAction::triggered, this, [this, command = row.command] { command.run(*this); });
        addAction(created);
        m_actions[static_cast<std::size_t>(row.id)] = created;
    }
}

void MainWindow::assignActionIcons()
{
    for (const ActionRow& row : windowActions().rows) {
        if (row.icon.kind != ActionIcon::Kind::None) action(row.id)->setIcon(iconFor(row.icon, *this));
    }
}

QToolBar* MainWindow::createToolBar(const ToolBarLayout& layout, QWidget* page)
{
    auto* bar = new QToolBar(page);
    bar->setObjectName(fromView(layout.name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));
    bar->setToolButtonStyle(layout.style);
    for (const BarEntry& entry : layout.entries) {
        if (entry.action)
            bar->addAction(action(*entry.action));
        else
            bar->addSeparator();
    }
    return bar;
}

// The menu is a child of `parent`; its items are children of the window, which the settings and
// language files search by name.
QMenu* MainWindow::createMenu(const MenuLayout& layout, QWidget* parent)
{
    auto* menu = new QMenu(fromView(layout.title), parent);
    menu->setObjectName(fromView(layout.name));
    for (const MenuEntry& entry : layout.entries) {
        auto* item = new MenuItem(this);
        item->setObjectName(fromView(entry.name));
        if (entry.action) {
            item->setAction(action(*entry.action));
        } else if (entry.caption == "-") {
            item->setSeparator(true);
        } else {
            item->setText(fromView(entry.caption));
            connect(item, &QAction::triggered, this, [this, command = entry.command] { command.run(*this); });
        }
        menu->addAction(item);
    }
    return menu;
}

void MainWindow::createMenus()
{
    const WindowActions& layout = windowActions();
    QMenuBar* bar = menuBar();
    QMenu* menu = nullptr;
    for (const MenuLayout& menuLayout : layout.menuBar) {
        menu = createMenu(menuLayout, bar);
        bar->addMenu(menu);
    }
    // The last menu of the bar shows only after Ctrl+U.
    m_hiddenMenu = menu;
    m_hiddenMenu->menuAction()->setVisible(false);
    m_sourceEditor->setPopupMenu(createMenu(layout.sourcePopup, this));
    m_fb2Editor->setPopupMenu(createMenu(layout.fb2Popup, this));
}

void MainWindow::wrapFb2Selection(TagCommand tag)
{
    wrapSelection(m_fb2Editor->editor(), tag);
}

void MainWindow::checkFb2()
{
    setActivePage(Fb2Page);
    m_checkPanel->check();
}

void MainWindow::showHelp()
{
    if (m_windows.helpWindow) m_windows.helpWindow->exec();
}

void MainWindow::showAbout()
{
    if (m_windows.aboutBox) m_windows.aboutBox->exec();
}

void MainWindow::toggleHiddenMenu()
{
    m_hiddenMenu->menuAction()->setVisible(!m_hiddenMenu->menuAction()->isVisible());
}

}  // namespace vellumar
