#pragma once
// The standard edit commands (Undo, Cut, Copy, Paste, Delete, Select All) of the main window.
// They act on whichever of the window's editors and text boxes has the focus, and are disabled
// while none of them has it. For an editor, Cut, Copy and Delete need a selection, Paste
// something to paste, Undo something to undo; Select All is always there. Text boxes follow
// the same rules and also respect read-only boxes.

#include <array>

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace vellumar {

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };
inline constexpr std::size_t kEditCommandCount = static_cast<std::size_t>(EditCommand::SelectAll) + 1;

class EditActions : public QObject {
    Q_OBJECT

public:
    // `actions` are the window's actions of the commands, in the order of EditCommand; this
    // object enables and disables them.
    EditActions(QWidget& window, const std::array<QAction*, kEditCommandCount>& actions);

    // An editor (CodeEditor) or text box (QPlainTextEdit) the commands may act on.
    void addTarget(QWidget& target);

    // The target that has the window's focus, or null. While the menu bar has the focus (a
    // menu opened from the keyboard), the target that had it before.
    QWidget* currentTarget() const;

    // Recomputes which commands are enabled.
    void updateActions();

    // Runs `command` on the current target, when it is enabled there.
    void run(EditCommand command);

private:
    QWidget* focusedTarget() const;

    QWidget& m_window;
    QPointer<QWidget> m_lastTarget;  // the target that last had the focus
    QList<QPointer<QWidget>> m_targets;
    std::array<QAction*, kEditCommandCount> m_actions;
};

}  // namespace vellumar
