#pragma once
// Puts the character set chosen in the main window's "Charset" list (`ComboBox2`) on both
// editors and on the text boxes of the book-info, find and replace dialogs.
//
// The editors `SynMemo1` and `SynMemo2` take the number through their Qt property "charset"
// (an int): they show their bytes in the code page of that set from then on. The dialogs are
// found among the application's windows by name ("FBookInfo", "FFind", "FReplace"); a dialog that
// does not exist yet, as during the main window's start, is skipped.

class QWidget;

namespace vellumar {

// CharsetByName of the entry selected in the main window's `ComboBox2`; 1 (the default set)
// when there is no main window, no list or no selected entry.
int ChosenCharset();
// The same, read from the given main window.
int ChosenCharset(const QWidget* mainWindow);

void ApplyCharset(QWidget* mainWindow);

// Sets `charset` on the text boxes of one dialog (`Edit1`, `Edit2`, `Edit3` where it has them).
void ApplyCharsetToDialog(QWidget* dialog, int charset);

}  // namespace vellumar
