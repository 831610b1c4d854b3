#include "ui/actions/edit_actions.h"

#include <array>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QWidget>

#include "ui/editor/code_editor.h"

namespace vellumar {

namespace {

// Which commands may run, by EditCommand.
struct Enabled {
    std::array<bool, kEditCommandCount> flags{};
    bool& operator[](EditCommand command) { return flags[static_cast<std::size_t>(command)]; }
};

Enabled enabledFor(const QWidget* target)
{
    using enum EditCommand;
    Enabled enabled;
    if (const auto* memo = qobject_cast<const CodeEditor*>(target)) {
        const bool selection = memo->hasSelectedText();
        enabled[Undo] = memo->isUndoAvailable();
        enabled[Cut] = selection;
        enabled[Copy] = selection;
        enabled[Paste] = memo->SendScintilla(QsciScintillaBase::SCI_CANPASTE) != 0;
        enabled[Delete] = selection;
        enabled[SelectAll] = true;
    } else if (const auto* box = qobject_cast<const QPlainTextEdit*>(target)) {
        const bool selection = box->textCursor().hasSelection();
        const bool writable = !box->isReadOnly();
        enabled[Undo] = writable && box->document()->isUndoAvailable();
        enabled[Cut] = writable && selection;
        enabled[Copy] = selection;
        enabled[Paste] = box->canPaste();
        enabled[Delete] = writable && selection;
        enabled[SelectAll] = !box->document()->isEmpty();
    }
    return enabled;
}

}  // namespace

EditActions::EditActions(QWidget& window, const std::array<QAction*, kEditCommandCount>& actions)
    : QObject(&window), m_window(window), m_actions(actions)
{
    connect(qApp, &QApplication::focusChanged, this, &EditActions::updateActions);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditActions::updateActions);
    updateActions();
}

void EditActions::addTarget(QWidget& target)
{
    m_targets.append(&target);
    if (auto* memo = qobject_cast<CodeEditor*>(&target)) {
        connect(memo, &QsciScintilla::selectionChanged, this, &EditActions::updateActions);
        connect(memo, &QsciScintilla::textChanged, this, &EditActions::updateActions);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(&target)) {
        connect(box, &QPlainTextEdit::selectionChanged, this, &EditActions::updateActions);
        connect(box, &QPlainTextEdit::textChanged, this, &EditActions::updateActions);
        connect(box, &QPlainTextEdit::undoAvailable, this, &EditActions::updateActions);
    }
    updateActions();
}

QWidget* EditActions::currentTarget() const
{
    if (QWidget* target = focusedTarget()) return target;
    // Alt+E gives the menu bar the focus; the commands still act on the editor the user was in.
    if (qobject_cast<const QMenuBar*>(m_window.focusWidget())) return m_lastTarget;
    return nullptr;
}

QWidget* EditActions::focusedTarget() const
{
    for (QWidget* widget = m_window.focusWidget(); widget && widget != &m_window; widget = widget->parentWidget()) {
        for (const QPointer<QWidget>& target : m_targets) {
            if (target == widget) return widget;
        }
    }
    return nullptr;
}

void EditActions::updateActions()
{
    QWidget* target = currentTarget();
    m_lastTarget = target;
    const auto enabled = enabledFor(target);
    for (std::size_t command = 0; command < kEditCommandCount; ++command)
        m_actions[command]->setEnabled(enabled.flags[command]);
}

void EditActions::run(EditCommand command)
{
    QWidget* target = currentTarget();
    if (!enabledFor(target)[command]) return;
    if (auto* memo = qobject_cast<CodeEditor*>(target)) {
        switch (command) {
        case EditCommand::Undo: memo->undo(); break;
        case EditCommand::Cut: memo->cut(); break;
        case EditCommand::Copy: memo->copy(); break;
        case EditCommand::Paste: memo->paste(); break;
        case EditCommand::Delete: memo->removeSelectedText(); break;
        case EditCommand::SelectAll: memo->selectAll(true); break;
        }
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(target)) {
        switch (command) {
        case EditCommand::Undo: box->undo(); break;
        case EditCommand::Cut: box->cut(); break;
        case EditCommand::Copy: box->copy(); break;
        case EditCommand::Paste: box->paste(); break;
        case EditCommand::Delete: box->textCursor().removeSelectedText(); break;
        case EditCommand::SelectAll: box->selectAll(); break;
        }
    }
    updateActions();
}

}  // namespace vellumar
