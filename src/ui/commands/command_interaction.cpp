#include "ui/commands/command_interaction.h"

#include "ui/commands/command_dialogs.h"
#include "ui/editor/charset_text.h"
#include "ui/settings/converter_texts.h"
#include "ui/settings/message_texts.h"
#include "ui/window/main_window.h"

namespace vellumar {

void CommandInteraction::reportTokenizerProblem(std::string_view message, std::string_view text)
{
    if (m_shown >= kShownReports) {
        ++m_heldBack;
        return;
    }
    ++m_shown;
    m_dialogs.showMessage(decodeBytes(message, m_charset), decodeBytes(text, m_charset));
}

std::optional<BookInfoAnswers> CommandInteraction::askBookInfo()
{
    return m_dialogs.askBookInfo();
}

std::optional<BookInfoAnswers> CommandInteraction::askBookInfoProposing(const BookInfoAnswers& proposed)
{
    return m_dialogs.askBookInfoProposing(proposed);
}

void CommandInteraction::warn(std::string_view text) { m_warnings << converterText(text); }

void CommandInteraction::finish()
{
    if (m_heldBack > 0) {
        const QString text = m_heldBack == 1 ? message(MessageId::MoreProblem)
                                             : message(MessageId::MoreProblems, {QString::number(m_heldBack)});
        m_heldBack = 0;
        m_dialogs.showMessage(MainWindow::applicationTitle(), text);
    }
    if (!m_warnings.isEmpty()) {
        QStringList lines = m_warnings.mid(0, kShownWarnings);
        if (m_warnings.size() > kShownWarnings)
            lines << message(MessageId::MoreWarnings, {QString::number(m_warnings.size() - kShownWarnings)});
        m_warnings.clear();
        m_dialogs.showMessage(MainWindow::applicationTitle(), lines.join(QLatin1Char('\n')));
    }
}

}  // namespace vellumar
