#pragma once
// Pieces shared by the find and replace dialogs.

#include <QString>

class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace vellumar {

class ColorButton;

// A fixed-size tool window with only a close box that stays on top.
void MakeSearchWindow(QDialog* dialog, const QString& name, const QString& caption, int width, int height);
// The hidden "Origin" group with "&From cursor" (checked) and "&Entire scope".
QGroupBox* MakeOriginGroup(QWidget* parent);
QLabel* MakeSearchLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy);
QLineEdit* MakeSearchEdit(QWidget* parent, const char* name);
ColorButton* MakeSearchButton(QWidget* parent, const char* name, const QString& caption);

}  // namespace vellumar
