#pragma once
// A named menu item. A menu item is its own object (so the settings and language files can find it
// by name); an item bound to an action shows the action's caption, its shortcut, its enabled and
// visible state, and runs the action when chosen.

#include <QAction>
#include <QPointer>

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

}  // namespace vellumar
