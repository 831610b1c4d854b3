#pragma once
// The panel under the FB2 editor that lists what "Check FB2" (F8) found in the editor's text:
// one row per problem with its line, its kind (error or warning) and the message, above them a
// summary. Activating a row (double click, Enter) puts the caret at the start of its line in the
// editor and gives the editor the focus. The panel stays hidden until the first check.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "checking/book_check.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace vellumar {

class CodeEditor;

class BookCheckPanel : public QWidget {
    Q_OBJECT

public:
    // `schema` gives the schema file to check against when a check runs.
    BookCheckPanel(CodeEditor& editor, std::function<std::filesystem::path()> schema, QWidget* parent = nullptr);

    // What is checked: the book as it would be saved (an FB2 book keeps the encoding it was read
    // in). Without it, the editor's text as it is held.
    void setBookBytes(std::function<std::string()> bookBytes) { m_bookBytes = std::move(bookBytes); }

    // Checks the editor's text now and shows the result; the list takes the keyboard focus when
    // it holds problems, the editor keeps it otherwise.
    void check();
    // Shows `result` as the outcome of a check.
    void showResult(const BookCheckResult& result);

    QTreeWidget* problemList() const { return m_list; }
    QString summary() const;

    // Puts the caret on the line of the row `index`; nothing for a row without a line.
    void goToProblem(int index);

private:
    void activate(QTreeWidgetItem* item);
    // The panel's own texts, and the last result, as the interface language words them.
    void showWording();
    void listProblems();

    CodeEditor& m_editor;
    std::function<std::filesystem::path()> m_schema;
    std::function<std::string()> m_bookBytes;
    std::optional<BookCheckResult> m_result;
    QLabel* m_summary = nullptr;
    QWidget* m_closeButton = nullptr;
    QTreeWidget* m_list = nullptr;
};

}  // namespace vellumar
