#pragma once
// What the conversion asks of the user, answered with the window program's dialogs: the
// book-info dialog for the title information, a message box for tokenizer problems.

#include "base/user_interaction.h"

class QWidget;

namespace vellumar {

class BookInfoDialog;

class DialogInteraction : public UserInteraction {
public:
    // `owner` owns the message boxes (the main window); `bookInfo` is the program's dialog;
    // reports are shown in the code page of `charset`.
    DialogInteraction(QWidget* owner, BookInfoDialog& bookInfo, int charset)
        : m_owner(owner), m_bookInfo(bookInfo), m_charset(charset)
    {
    }

    // A message box with the tokenizer's text as its body and its message as its title.
    void reportTokenizerProblem(std::string_view message, std::string_view text) override;
    // The dialog with empty boxes; the answers are bytes of the code page chosen for the editors.
    std::optional<BookInfoAnswers> askBookInfo() override;
    std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& proposed) override;

private:
    QWidget* m_owner;
    BookInfoDialog& m_bookInfo;
    int m_charset;
};

}  // namespace vellumar
