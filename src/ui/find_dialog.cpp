#include "ui/find_dialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/charset_text.h"
#include "ui/color_button.h"
#include "ui/search_dialog_parts.h"

namespace vellumar {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    MakeSearchWindow(this, QStringLiteral("FFind"), QStringLiteral("Find"), 345, 89);

    m_edit1 = MakeSearchEdit(this, "Edit1");
    QLabel* label = MakeSearchLabel(this, "Label1", QStringLiteral("Find:"), m_edit1);
    m_origin = MakeOriginGroup(this);
    m_butFind = MakeSearchButton(this, "ButFind", QStringLiteral("&Find"));
    m_butClose = MakeSearchButton(this, "ButClose", QStringLiteral("&Close"));

    label->setGeometry(10, 15, 40, 20);
    m_edit1->setGeometry(50, 12, 190, 26);
    m_origin->setGeometry(10, 44, 230, 40);
    m_butFind->setGeometry(254, 12, 80, 27);
    m_butClose->setGeometry(254, 50, 80, 27);

    connect(m_butClose, &QPushButton::clicked, this, &QWidget::hide);
}

void FindDialog::setCharset(int charset)
{
    SetTextBoxCharset(m_edit1, charset);
}

void FindDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit1->setFocus(Qt::OtherFocusReason);
}

void FindDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_butClose->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vellumar
