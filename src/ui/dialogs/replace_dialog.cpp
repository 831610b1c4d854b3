#include "ui/dialogs/replace_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/widgets/color_button.h"

namespace vellumar {

ReplaceDialog::ReplaceDialog(QWidget* parent)
    : SearchDialog(QStringLiteral("FReplace"), QStringLiteral("Replace"), {337, 138}, parent)
{
    m_replaceEdit = addTextBox("Edit2");
    addLabel("Label1", QStringLiteral("Find:"), findEdit())->setGeometry(10, 10, 150, 18);
    addLabel("Label2", QStringLiteral("Replace with:"), m_replaceEdit)->setGeometry(10, 62, 150, 18);
    addOriginGroup()->setGeometry(10, 110, 225, 24);
    ColorButton* find = addFindButton();
    m_replaceButton = addButton("ButReplace", QStringLiteral("&Replace"));
    m_allButton = addButton("ButAll", QStringLiteral("&All"));
    ColorButton* close = addCloseButton();

    findEdit()->setGeometry(10, 28, 225, 26);
    m_replaceEdit->setGeometry(10, 80, 225, 26);
    find->setGeometry(248, 6, 80, 27);
    m_replaceButton->setGeometry(248, 38, 80, 27);
    m_allButton->setGeometry(248, 70, 80, 27);
    close->setGeometry(248, 104, 80, 27);

    setTabOrder(findEdit(), m_replaceEdit);
    setTabOrder(m_replaceEdit, find);
    setTabOrder(find, m_replaceButton);
    setTabOrder(m_replaceButton, m_allButton);
    setTabOrder(m_allButton, close);
}

}  // namespace vellumar
