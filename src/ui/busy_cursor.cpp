#include "ui/busy_cursor.h"

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

}  // namespace vellumar
