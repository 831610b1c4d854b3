#include "ui/commands/word_conversion.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include "ui/commands/user_input_refusal.h"
#include "ui/settings/message_texts.h"

namespace vellumar {

bool keepWindowWaiting()
{
    // Input can only arrive while events run, so refusing it here refuses it throughout.
    const UserInputRefusal refusal;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return true;
}

WordConversionProgress::WordConversionProgress(QWidget* owner, const QString& document)
    : m_dialog(new QProgressDialog(owner))
{
    m_dialog->setObjectName(QStringLiteral("WordConversionProgress"));
    m_dialog->setWindowTitle(QCoreApplication::applicationName());
    m_dialog->setLabelText(message(MessageId::LibreOfficeSaving, {QFileInfo(document).fileName()}));
    m_dialog->setRange(0, 0);  // no steps to count: a busy bar
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->show();
}

WordConversionProgress::~WordConversionProgress() { delete m_dialog; }

bool WordConversionProgress::cancelled() const { return m_dialog->wasCanceled(); }

bool WordConversionProgress::keepWaiting()
{
    const UserInputRefusal refusal(m_dialog);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return !m_dialog->wasCanceled();
}

}  // namespace vellumar
