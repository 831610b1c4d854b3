#pragma once
// Find and replace in the window: the main window's "Find...", "Search Again" and "Replace..."
// commands, and the buttons and keys of the find and replace dialogs. Every step reads the
// active page, the editor's selection and the dialogs' texts afresh; nothing is kept between
// steps. The search itself is the core's findFrom, replaceCurrent and replaceAll.

#include <string>

#include <QObject>

class QLineEdit;
class QWidget;

namespace vellumar {

class CodeEditor;
class Editor;
class FindDialog;
class MainWindow;
class ReplaceDialog;
class SearchDialog;

class SearchCommands : public QObject {
    Q_OBJECT

public:
    explicit SearchCommands(MainWindow& window);

    // Wires the dialogs' buttons and keys to the commands. Both dialogs must outlive this object
    // or be destroyed after it stops being used.
    void attach(FindDialog& find, ReplaceDialog& replace);

    // Act_Find: the active editor's selection, when there is one, becomes the find text; then
    // the find dialog is shown. Nothing at all on a page without an editor.
    void find();
    // Act_Replace: the same with the replace dialog.
    void replace();
    // Act_FindNext (F3): the selection, when there is one, becomes the find text; then the
    // next occurrence is searched, or the find dialog is shown when there is no find text.
    void findNext();

    // The dialogs' buttons.
    void findDialogFind();
    void findDialogClose();
    void replaceDialogFind();
    void replaceDialogReplace();
    void replaceDialogAll();
    void replaceDialogClose();

protected:
    // Enter in the dialogs' text boxes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Copies a dialog's find text and "From cursor" choice into the other dialog, so both show
    // the last find text used.
    void mirrorSearchText(SearchDialog& target, const SearchDialog& source);
    void mirrorIntoReplaceDialog();
    void mirrorIntoFindDialog();

    // Takes the active editor's selection into edit (when not empty) and shows dialog.
    void takeSelectionAndShow(QWidget& dialog, QLineEdit& edit);
    // findFrom with the end message: selects and focuses the next occurrence, or reports the end.
    void findFrom(const QLineEdit& edit, QWidget* messageOwner);
    void focusEditor(Editor& editor);
    CodeEditor* widgetOf(Editor& editor) const;
    // The bytes a search box's text stands for in the active editor: in the editor's own code
    // page when its document has one (an FB2 book in UTF-8), else in the box's character set.
    std::string searchBytes(const QLineEdit& box) const;

    MainWindow& m_window;
    FindDialog* m_find = nullptr;
    ReplaceDialog* m_replace = nullptr;
};

}  // namespace vellumar
