#pragma once
// The cursor that long commands (Convert, opening a source) show while they work. Qt's own busy
// cursor stands for the animated one.

#include <QCursor>

namespace vellumar {

// The busy cursor, registered once at the main window's start.
QCursor registerBusyCursor();

// Shows `cursor` over the whole program for the life of the scope, also when the command
// throws; afterwards the program's and the editors' own cursors are back.
class BusyCursorScope {
public:
    explicit BusyCursorScope(const QCursor& cursor);
    ~BusyCursorScope();
    BusyCursorScope(const BusyCursorScope&) = delete;
    BusyCursorScope& operator=(const BusyCursorScope&) = delete;
};

// The normal arrow over a dialog that a long command shows while its busy cursor is up; does
// nothing when no busy cursor is shown.
class NormalCursorScope {
public:
    NormalCursorScope();
    ~NormalCursorScope();
    NormalCursorScope(const NormalCursorScope&) = delete;
    NormalCursorScope& operator=(const NormalCursorScope&) = delete;

private:
    bool m_set = false;
};

}  // namespace vellumar
