#include "ui/dialog_interaction.h"

#include <QLineEdit>
#include <QMessageBox>

#include "ui/book_info_dialog.h"
#include "ui/charset_text.h"

namespace vellumar {

void DialogInteraction::reportTokenizerProblem(std::string_view message, std::string_view text)
{
    QMessageBox::information(m_owner, DecodeBytes(message, m_charset), DecodeBytes(text, m_charset));
}

std::optional<BookInfoAnswers> DialogInteraction::askBookInfo()
{
    m_bookInfo.setResultFlag(0);
    m_bookInfo.titleEdit()->clear();
    m_bookInfo.firstNameEdit()->clear();
    m_bookInfo.lastNameEdit()->clear();
    m_bookInfo.exec();
    if (m_bookInfo.resultFlag() != 1)
        return std::nullopt;
    return BookInfoAnswers{TextBoxBytes(m_bookInfo.titleEdit()), TextBoxBytes(m_bookInfo.firstNameEdit()),
                           TextBoxBytes(m_bookInfo.lastNameEdit())};
}

}  // namespace vellumar
