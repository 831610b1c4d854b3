#pragma once
// What one command's conversion work asks of the user: the book-info dialog, and a message box
// per tokenizer report. A broken page can report hundreds of problems, so only the first few
// are shown one by one; the rest are counted and shown in one last box when the work is done.
// Warnings (a picture not found, a table written as its text) are kept and shown together in
// one box at the end.

#include <QStringList>

#include "base/user_interaction.h"

namespace vellumar {

class CommandDialogs;

class CommandInteraction : public UserInteraction {
public:
    static constexpr int kShownReports = 3;
    static constexpr int kShownWarnings = 10;

    // Report texts are shown in the code page of `charset`.
    CommandInteraction(CommandDialogs& dialogs, int charset) : m_dialogs(dialogs), m_charset(charset) {}

    // The tokenizer's text as the body and its message as the title, up to kShownReports times.
    void reportTokenizerProblem(std::string_view message, std::string_view text) override;
    std::optional<BookInfoAnswers> askBookInfo() override;
    std::optional<BookInfoAnswers> askBookInfoProposing(const BookInfoAnswers& proposed) override;
    // Kept until finish(), which shows them in one box.
    void warn(std::string_view text) override;

    // Shows "N more problems in the HTML" when reports were held back, then the warnings of
    // the work in one box; each once.
    void finish();

    int heldBackReports() const { return m_heldBack; }

private:
    CommandDialogs& m_dialogs;
    int m_charset;
    int m_shown = 0;
    int m_heldBack = 0;
    QStringList m_warnings;
};

}  // namespace vellumar
