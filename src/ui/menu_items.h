#pragma once
// Named menu items. A menu item is its own object (so the settings and language files can find it
// by name); an item bound to an action shows the action's caption, its shortcut, its enabled and
// visible state, and runs the action when chosen.

#include <span>
#include <string_view>

#include <QAction>
#include <QPointer>

class QMenu;

namespace vellumar {

class MenuItem : public QAction {
    Q_OBJECT

public:
    explicit MenuItem(QObject* parent = nullptr);

    // Binds the item to `action` (null unbinds it).
    void setAction(QAction* action);
    QAction* action() const { return m_action; }

private:
    void followAction();

    QPointer<QAction> m_action;
};

struct MenuItemDefinition {
    std::string_view name;
    // The bound action's name; empty for an item with its own caption.
    std::string_view action;
    // The item's own caption ("-" makes a separator); ignored when `action` is set.
    std::string_view caption = {};
};

// Appends the items to `menu`. Items are children of `owner`; bound actions are looked up among
// `owner`'s children by name.
void addMenuItems(QMenu& menu, QObject& owner, std::span<const MenuItemDefinition> items);

// A new menu named `name` with the title `caption`, a child of `parent`.
QMenu* createMenu(QWidget* parent, std::string_view name, std::string_view caption);

}  // namespace vellumar
