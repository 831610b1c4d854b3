#pragma once
// Esc in a dialog presses the button that closes it ("&Close", "&Cancel", "OK"), so that what the
// button does on closing happens for the key as well.

class QAbstractButton;
class QKeyEvent;

namespace vellumar {

// Clicks `button` when `event` is Esc with no modifier; true when it did.
bool clickOnEscape(const QKeyEvent& event, QAbstractButton& button);

}  // namespace vellumar
