#pragma once
// The controls of the "Common Settings" page: the interface language and the character set in
// which the editors show the program's 8-bit text.

class QWidget;

namespace vellumar {

// The "Language" and "Charset" group boxes, in a new widget that is a child of `parent`.
QWidget* createCommonSettingsControls(QWidget* parent);

}  // namespace vellumar
