#pragma once
// The controls of the "Settings" page (picture limits, tables, title level, text straightening,
// book-info question, the book file's encoding and zipping) and the snapshot of them that a conversion reads.

#include "base/conversion_options.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace vellumar {

// The page's controls that a conversion reads (object names in comments).
struct SettingsControls {
    QWidget* widget = nullptr;           // the group boxes, laid out
    QCheckBox* showTitleInfo = nullptr;  // ChBShowTitleInfo
    QCheckBox* resize = nullptr;         // CheckBox18
    QSpinBox* maxWidth = nullptr;        // SpinEdit1
    QSpinBox* maxHeight = nullptr;       // SpinEdit2
    QRadioButton* tablesAsIs = nullptr;  // RadioButton6
    QRadioButton* tablesContentOnly = nullptr;  // RadioButton7
    QRadioButton* tablesToImages = nullptr;     // RadioButton8
    QRadioButton* borderAsSource = nullptr;     // RadioButton4
    QRadioButton* borderVisible = nullptr;      // RadioButton5
    QCheckBox* straightenText = nullptr;        // CheckBox22
    QComboBox* titleLevel = nullptr;            // ComboBox1
    QRadioButton* bookWindows1251 = nullptr;    // RBBookWindows1251
    QRadioButton* bookUtf8 = nullptr;           // RBBookUtf8
    QCheckBox* zipBook = nullptr;               // ChBZipBook
    QCheckBox* completeBook = nullptr;          // ChBCompleteBook
};

// The title level list's item "Auto", after "H1".."H6".
inline constexpr int kAutoTitleLevelItem = 6;

// The page's group boxes with their controls, in a new widget that is a child of `parent`.
SettingsControls createSettingsControls(QWidget* parent);

// The conversion options as the controls show them now.
ConversionOptions readConversionOptions(const SettingsControls& controls);

}  // namespace vellumar
