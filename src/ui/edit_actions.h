#pragma once
// The standard edit commands (Undo, Cut, Copy, Paste, Delete, Select All) of the main window.
// They act on whichever of the window's editors and text boxes has the focus, and are disabled
// while none of them has it. For an editor, Cut, Copy and Delete need a selection, Paste
// something to paste, Undo something to undo; Select All is always there. Text boxes follow
// the same rules and also respect read-only boxes.

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace vellumar {

class EditActions : public QObject {
    Q_OBJECT

public:
    // Takes the actions "EditUndo1" ... "EditSelectAll1" from `window`'s children.
    explicit EditActions(QWidget& window);

    // An editor (CodeEditor) or text box (QPlainTextEdit) the commands may act on.
    void addTarget(QWidget& target);

    // The target that has the window's focus, or null.
    QWidget* currentTarget() const;

    // Recomputes which commands are enabled.
    void updateActions();

private:
    void run(int command);

    QWidget& m_window;
    QList<QPointer<QWidget>> m_targets;
    QList<QAction*> m_actions;
};

}  // namespace vellumar
