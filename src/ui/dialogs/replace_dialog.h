#pragma once
// The replace dialog ("FReplace"): the find text and its replacement, and the "&Find",
// "&Replace", "&All" and "&Close" buttons.

#include "ui/dialogs/search_dialog.h"

namespace vellumar {

class ReplaceDialog : public SearchDialog {
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QLineEdit* replaceEdit() const { return m_replaceEdit; }
    ColorButton* replaceButton() const { return m_replaceButton; }
    ColorButton* allButton() const { return m_allButton; }

private:
    QLineEdit* m_replaceEdit = nullptr;
    ColorButton* m_replaceButton = nullptr;
    ColorButton* m_allButton = nullptr;
};

}  // namespace vellumar
