#include "ui/edit_actions.h"

#include <array>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QWidget>

#include "ui/code_editor.h"

namespace vellumar {

namespace {

enum Command { Undo, Cut, Copy, Paste, Delete, SelectAll, CommandCount };

constexpr std::array<const char*, CommandCount> kActionNames = {
    "EditUndo1", "EditCut1", "EditCopy1", "EditPaste1", "EditDelete1", "EditSelectAll1"};

std::array<bool, CommandCount> enabledFor(const QWidget* target)
{
    std::array<bool, CommandCount> enabled{};
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

EditActions::EditActions(QWidget& window) : QObject(&window), m_window(window)
{
    for (int command = 0; command < CommandCount; ++command) {
        QAction* action = window.findChild<QAction*>(QString::fromLatin1(kActionNames[command]));
        m_actions.append(action);
        if (action) connect(action, &QAction::triggered, this, [this, command] { run(command); });
    }
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
    for (QWidget* widget = m_window.focusWidget(); widget && widget != &m_window; widget = widget->parentWidget()) {
        for (const QPointer<QWidget>& target : m_targets) {
            if (target == widget) return widget;
        }
    }
    return nullptr;
}

void EditActions::updateActions()
{
    const auto enabled = enabledFor(currentTarget());
    for (int command = 0; command < CommandCount; ++command) {
        if (m_actions[command]) m_actions[command]->setEnabled(enabled[static_cast<std::size_t>(command)]);
    }
}

void EditActions::run(int command)
{
    QWidget* target = currentTarget();
    if (!enabledFor(target)[static_cast<std::size_t>(command)]) return;
    if (auto* memo = qobject_cast<CodeEditor*>(target)) {
        switch (command) {
        case Undo: memo->undo(); break;
        case Cut: memo->cut(); break;
        case Copy: memo->copy(); break;
        case Paste: memo->paste(); break;
        case Delete: memo->removeSelectedText(); break;
        case SelectAll: memo->selectAll(true); break;
        }
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(target)) {
        switch (command) {
        case Undo: box->undo(); break;
        case Cut: box->cut(); break;
        case Copy: box->copy(); break;
        case Paste: box->paste(); break;
        case Delete: box->textCursor().removeSelectedText(); break;
        case SelectAll: box->selectAll(); break;
        }
    }
    updateActions();
}

}  // namespace vellumar
