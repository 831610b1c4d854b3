#include "ui/commands/search_commands.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>

#include "editing/find_replace.h"
#include "encodings/code_page_codec.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/editor/charset_text.h"
#include "ui/editor/code_editor.h"
#include "ui/widgets/color_button.h"
#include "ui/window/main_window.h"

namespace vellumar {

namespace {

void showMessage(QWidget* owner, const QString& text)
{
    QMessageBox::information(owner, QCoreApplication::applicationName(), text);
}

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

SearchCommands::SearchCommands(MainWindow& window) : QObject(&window), m_window(window) {}

void SearchCommands::attach(FindDialog& find, ReplaceDialog& replace)
{
    m_find = &find;
    m_replace = &replace;
    connect(find.findButton(), &QPushButton::clicked, this, &SearchCommands::findDialogFind);
    connect(find.closeButton(), &QPushButton::clicked, this, &SearchCommands::findDialogClose);
    connect(replace.findButton(), &QPushButton::clicked, this, &SearchCommands::replaceDialogFind);
    connect(replace.replaceButton(), &QPushButton::clicked, this, &SearchCommands::replaceDialogReplace);
    connect(replace.allButton(), &QPushButton::clicked, this, &SearchCommands::replaceDialogAll);
    connect(replace.closeButton(), &QPushButton::clicked, this, &SearchCommands::replaceDialogClose);
    find.findEdit()->installEventFilter(this);
    replace.findEdit()->installEventFilter(this);
    replace.replaceEdit()->installEventFilter(this);
}

bool SearchCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnter(event)) return QObject::eventFilter(watched, event);
    // The key itself goes nowhere: it only presses a button or moves the focus.
    if (m_find && watched == m_find->findEdit()) {
        m_find->findButton()->click();
        return true;
    }
    if (m_replace && watched == m_replace->findEdit()) {
        m_replace->replaceEdit()->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (m_replace && watched == m_replace->replaceEdit()) {
        m_replace->findButton()->click();  // Find, not Replace
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SearchCommands::mirrorSearchText(SearchDialog& target, const SearchDialog& source)
{
    QLineEdit* edit = target.findEdit();
    setTextBoxCharset(edit, textBoxCharset(source.findEdit()));
    edit->setText(source.findEdit()->text());
    target.setFromCursor(source.fromCursor());
}

void SearchCommands::mirrorIntoReplaceDialog()
{
    if (m_find && m_replace) mirrorSearchText(*m_replace, *m_find);
}

void SearchCommands::mirrorIntoFindDialog()
{
    if (m_find && m_replace) mirrorSearchText(*m_find, *m_replace);
}

CodeEditor* SearchCommands::widgetOf(Editor& editor) const
{
    for (CodeEditor* widget : {m_window.sourceEditor(), m_window.fb2Editor()}) {
        if (widget && &widget->editor() == &editor) return widget;
    }
    return nullptr;
}

std::string SearchCommands::searchBytes(const QLineEdit& box) const
{
    Editor* editor = m_window.activeEditor();
    const CodeEditor* widget = editor ? widgetOf(*editor) : nullptr;
    if (!widget || widget->documentCodePage().empty()) return textBoxBytes(&box);
    return CodePageCodec(widget->documentCodePage()).encode(box.text().toStdString());
}

void SearchCommands::focusEditor(Editor& editor)
{
    if (CodeEditor* widget = widgetOf(editor)) {
        widget->activateWindow();
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void SearchCommands::takeSelectionAndShow(QWidget& dialog, QLineEdit& edit)
{
    Editor* editor = m_window.activeEditor();
    if (editor == nullptr) return;
    const std::string selected = editor->selectedText();
    const CodeEditor* widget = widgetOf(*editor);
    if (selected.empty()) {
    } else if (widget && !widget->documentCodePage().empty()) {
        edit.setText(QString::fromStdString(CodePageCodec(widget->documentCodePage()).decode(selected)));
    } else {
        setTextBoxBytes(&edit, selected);
    }
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void SearchCommands::find()
{
    if (m_find) takeSelectionAndShow(*m_find, *m_find->findEdit());
}

void SearchCommands::replace()
{
    if (m_replace) takeSelectionAndShow(*m_replace, *m_replace->findEdit());
}

void SearchCommands::findNext()
{
    Editor* editor = m_window.activeEditor();
    if (editor == nullptr || m_find == nullptr) return;
    const std::string selected = editor->selectedText();
    if (!selected.empty()) setTextBoxBytes(m_find->findEdit(), selected);
    if (m_find->findEdit()->text().isEmpty()) {
        find();
        return;
    }
    // A search dialog stays above the main window: the message opens above the one shown.
    QWidget* owner = &m_window;
    if (m_find->isVisible())
        owner = m_find;
    else if (m_replace && m_replace->isVisible())
        owner = m_replace;
    findFrom(*m_find->findEdit(), owner);
}

void SearchCommands::findFrom(const QLineEdit& edit, QWidget* messageOwner)
{
    Editor* editor = m_window.activeEditor();
    switch (vellumar::findFrom(editor, searchBytes(edit))) {
    case FindResult::Found: focusEditor(*editor); break;
    case FindResult::NotFound: showMessage(messageOwner, QString::fromLatin1(endOfTextMessage())); break;
    case FindResult::NoSearch: break;
    }
}

void SearchCommands::findDialogFind()
{
    mirrorIntoReplaceDialog();
    if (!m_find->findEdit()->text().isEmpty()) findFrom(*m_find->findEdit(), m_find);
}

void SearchCommands::findDialogClose()
{
    mirrorIntoReplaceDialog();
}

void SearchCommands::replaceDialogFind()
{
    mirrorIntoFindDialog();
    if (!m_replace->findEdit()->text().isEmpty()) findFrom(*m_replace->findEdit(), m_replace);
}

void SearchCommands::replaceDialogReplace()
{
    mirrorIntoFindDialog();
    if (m_replace->findEdit()->text().isEmpty()) return;
    Editor* editor = m_window.activeEditor();
    const std::string replacement = searchBytes(*m_replace->replaceEdit());
    switch (replaceCurrent(editor, searchBytes(*m_replace->findEdit()), replacement)) {
    case FindResult::Found: focusEditor(*editor); break;
    case FindResult::NotFound: showMessage(m_replace, QString::fromLatin1(endOfTextMessage())); break;
    case FindResult::NoSearch: break;
    }
}

void SearchCommands::replaceDialogAll()
{
    mirrorIntoFindDialog();
    if (m_replace->findEdit()->text().isEmpty()) return;
    const std::optional<std::size_t> count = replaceAll(m_window.activeEditor(), searchBytes(*m_replace->findEdit()),
                                                        searchBytes(*m_replace->replaceEdit()));
    if (count) showMessage(m_replace, QString::fromStdString(itemsReplacedMessage(*count)));
}

void SearchCommands::replaceDialogClose()
{
    mirrorIntoFindDialog();
}

}  // namespace vellumar
