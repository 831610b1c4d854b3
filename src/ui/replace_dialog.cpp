#include "ui/replace_dialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/charset_text.h"
#include "ui/color_button.h"
#include "ui/search_dialog_parts.h"

namespace vellumar {

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent)
{
    MakeSearchWindow(this, QStringLiteral("FReplace"), QStringLiteral("Replace"), 337, 138);

    m_edit1 = MakeSearchEdit(this, "Edit1");
    m_edit2 = MakeSearchEdit(this, "Edit2");
    QLabel* label1 = MakeSearchLabel(this, "Label1", QStringLiteral("Find:"), m_edit1);
    QLabel* label2 = MakeSearchLabel(this, "Label2", QStringLiteral("Replace with:"), m_edit2);
    m_origin = MakeOriginGroup(this);
    m_butFind = MakeSearchButton(this, "ButFind", QStringLiteral("&Find"));
    m_butReplace = MakeSearchButton(this, "ButReplace", QStringLiteral("&Replace"));
    m_butAll = MakeSearchButton(this, "ButAll", QStringLiteral("&All"));
    m_butClose = MakeSearchButton(this, "ButClose", QStringLiteral("&Close"));

    label1->setGeometry(10, 10, 150, 18);
    m_edit1->setGeometry(10, 28, 225, 26);
    label2->setGeometry(10, 62, 150, 18);
    m_edit2->setGeometry(10, 80, 225, 26);
    m_origin->setGeometry(10, 110, 225, 24);
    m_butFind->setGeometry(248, 6, 80, 27);
    m_butReplace->setGeometry(248, 38, 80, 27);
    m_butAll->setGeometry(248, 70, 80, 27);
    m_butClose->setGeometry(248, 104, 80, 27);

    setTabOrder(m_edit1, m_edit2);
    setTabOrder(m_edit2, m_butFind);
    setTabOrder(m_butFind, m_butReplace);
    setTabOrder(m_butReplace, m_butAll);
    setTabOrder(m_butAll, m_butClose);

    connect(m_butClose, &QPushButton::clicked, this, &QWidget::hide);
}

void ReplaceDialog::setCharset(int charset)
{
    SetTextBoxCharset(m_edit1, charset);
    SetTextBoxCharset(m_edit2, charset);
}

void ReplaceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit1->setFocus(Qt::OtherFocusReason);
}

void ReplaceDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_butClose->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vellumar
