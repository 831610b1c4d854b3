#include "ui/commands/dialog_interaction.h"

#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/editor/charset_text.h"

namespace vellumar {

void DialogInteraction::reportTokenizerProblem(std::string_view message, std::string_view text)
{
    showPlainMessageBox(m_owner, QMessageBox::Information, decodeBytes(message, m_charset),
                        decodeBytes(text, m_charset));
}

std::optional<BookInfoAnswers> DialogInteraction::askBookInfo()
{
    return m_bookInfo.ask();
}

std::optional<BookInfoAnswers> DialogInteraction::askBookInfoProposing(const BookInfoAnswers& proposed)
{
    return m_bookInfo.ask(&proposed);
}

}  // namespace vellumar
