#pragma once
// The find dialog ("FFind"): the find text and the "&Find" and "&Close" buttons.

#include "ui/dialogs/search_dialog.h"

namespace vellumar {

class FindDialog : public SearchDialog {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent = nullptr);
};

}  // namespace vellumar
