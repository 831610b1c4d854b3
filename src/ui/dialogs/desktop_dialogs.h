#pragma once
// The file commands' questions answered with the program's own dialogs: the file dialogs by
// name, the book-info dialog, message boxes owned by the main window, and the desktop's default
// program for a file.

#include "ui/commands/command_dialogs.h"

class QWidget;

namespace vellumar {

class BookInfoDialog;

class DesktopDialogs : public CommandDialogs {
public:
    // `owner` (the main window) owns the dialogs; without a book-info dialog nothing is asked
    // and the answers are those of a cancelled dialog.
    DesktopDialogs(QWidget* owner, BookInfoDialog* bookInfo) : m_owner(owner), m_bookInfo(bookInfo) {}

    QString askOpenFileName(std::string_view dialog, const QString& folder) override;
    QString askSaveFileName(std::string_view dialog, const QString& proposed) override;
    bool confirmReplace(const QString& path) override;
    std::optional<BookInfoAnswers> askBookInfo() override;
    std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& proposed) override;
    void showMessage(const QString& title, const QString& text) override;
    void showError(const QString& text) override;
    UnsavedAnswer askUnsavedChanges(const QString& question) override;
    bool openWithDesktop(const QString& path) override;

private:
    QWidget* m_owner;
    BookInfoDialog* m_bookInfo;
};

// Starts `program` with the file's absolute path, detached, in the file's folder; false when
// it cannot be started.
bool startInFileFolder(const QString& program, const QString& path);

}  // namespace vellumar
