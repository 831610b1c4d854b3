#include "ui/widgets/escape_button.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace vellumar {

bool clickOnEscape(const QKeyEvent& event, QAbstractButton& button)
{
    if (event.key() != Qt::Key_Escape || event.modifiers() != Qt::NoModifier) return false;
    button.click();
    return true;
}

}  // namespace vellumar
