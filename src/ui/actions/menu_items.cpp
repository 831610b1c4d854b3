#include "ui/actions/menu_items.h"

#include <QKeySequence>

namespace vellumar {

MenuItem::MenuItem(QObject* parent) : QAction(parent)
{
    connect(this, &QAction::triggered, this, [this] {
        if (m_action) m_action->trigger();
    });
}

void MenuItem::setAction(QAction* action)
{
    if (m_action) disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action) return;
    connect(action, &QAction::changed, this, &MenuItem::followAction);
    followAction();
}

void MenuItem::followAction()
{
    if (!m_action) return;
    // The shortcut is shown after a tab; the item itself has none, so the key is not claimed
    // twice in the window.
    QString caption = m_action->text();
    if (!m_action->shortcut().isEmpty())
        caption += QLatin1Char('\t') + m_action->shortcut().toString(QKeySequence::NativeText);
    setText(caption);
    setStatusTip(m_action->statusTip());
    setIcon(m_action->icon());
    setEnabled(m_action->isEnabled());
    setVisible(m_action->isVisible());
    setCheckable(m_action->isCheckable());
    setChecked(m_action->isChecked());
}

}  // namespace vellumar
