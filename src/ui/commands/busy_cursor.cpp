#include "ui/commands/busy_cursor.h"

#include <QApplication>

namespace vellumar {

QCursor registerBusyCursor()
{
    return QCursor(Qt::BusyCursor);
}

BusyCursorScope::BusyCursorScope(const QCursor& cursor)
{
    QApplication::setOverrideCursor(cursor);
}

BusyCursorScope::~BusyCursorScope()
{
    QApplication::restoreOverrideCursor();
}

NormalCursorScope::NormalCursorScope() : m_set(QApplication::overrideCursor() != nullptr)
{
    if (m_set) QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

NormalCursorScope::~NormalCursorScope()
{
    if (m_set) QApplication::restoreOverrideCursor();
}

}  // namespace vellumar
