#include "ui/commands/user_input_refusal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vellumar {

UserInputRefusal::UserInputRefusal(const QWidget* allowed) : m_allowed(allowed)
{
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputRefusal::~UserInputRefusal() { QCoreApplication::instance()->removeEventFilter(this); }

bool UserInputRefusal::eventFilter(QObject* watched, QEvent* event)
{
    if (m_allowed != nullptr && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == m_allowed)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    case QEvent::Close:
        // Closing a window mid-command would pull its state from under the command.
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace vellumar
