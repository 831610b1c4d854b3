#pragma once
// Keyboard use of a group of radio buttons: Tab enters the group at its checked button (the
// first enabled one when none is checked) and leaves it with the next Tab; the arrow keys move
// inside the group, checking as they go. A click still focuses any button.

class QButtonGroup;

namespace vellumar {

void enterGroupAtCheckedButton(QButtonGroup& group);

}  // namespace vellumar
