#include "ui/dialogs/find_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/widgets/color_button.h"

namespace vellumar {

FindDialog::FindDialog(QWidget* parent) : SearchDialog(QStringLiteral("FFind"), QStringLiteral("Find"), {345, 89}, parent)
{
    addLabel("Label1", QStringLiteral("Find:"), findEdit())->setGeometry(10, 15, 40, 20);
    addOriginGroup()->setGeometry(10, 44, 230, 40);
    ColorButton* find = addFindButton();
    ColorButton* close = addCloseButton();
    findEdit()->setGeometry(50, 12, 190, 26);
    find->setGeometry(254, 12, 80, 27);
    close->setGeometry(254, 50, 80, 27);

    setTabOrder(findEdit(), find);
    setTabOrder(find, close);
}

}  // namespace vellumar
