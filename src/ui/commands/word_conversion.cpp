#include "ui/commands/word_conversion.h"

#include <QCoreApplication>

#include "ui/commands/user_input_refusal.h"

namespace vellumar {

bool keepWindowWaiting()
{
    // Input can only arrive while events run, so refusing it here refuses it throughout.
    const UserInputRefusal refusal;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return true;
}

}  // namespace vellumar
