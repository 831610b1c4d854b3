#pragma once
// The controls of the "Common Settings" page: the interface language and the character set in
// which the editors show the program's 8-bit text.

class QComboBox;
class QLabel;
class QRadioButton;
class QToolButton;
class QWidget;

namespace vellumar {

// The page's controls (object names in comments).
struct CommonSettingsControls {
    QWidget* widget = nullptr;           // both group boxes, laid out
    QRadioButton* english = nullptr;     // RadioButton1
    QRadioButton* russian = nullptr;     // RadioButton2
    QRadioButton* other = nullptr;       // RadioButton3
    QToolButton* browse = nullptr;       // SpeedButton1
    QLabel* languageFile = nullptr;      // Label1: the other language file's path, never shown
    QComboBox* charsets = nullptr;       // ComboBox2
};

// The "Language" and "Charset" group boxes, in a new widget that is a child of `parent`.
CommonSettingsControls createCommonSettingsControls(QWidget* parent);

}  // namespace vellumar
