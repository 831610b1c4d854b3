#include "ui/dialogs/search_dialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/editor/charset_text.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/escape_button.h"

namespace vellumar {

SearchDialog::SearchDialog(const QString& name, const QString& caption, QSize size, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setModal(false);
    setFixedSize(size);
    m_findEdit = addTextBox("Edit1");
}

bool SearchDialog::fromCursor() const
{
    return m_fromCursor == nullptr || m_fromCursor->isChecked();
}

void SearchDialog::setFromCursor(bool fromCursor)
{
    // Radio buttons of one group cannot all be off: "not from cursor" checks "Entire scope".
    if (QRadioButton* button = fromCursor ? m_fromCursor : m_entireScope) button->setChecked(true);
}

void SearchDialog::setCharset(int charset)
{
    for (QLineEdit* box : m_textBoxes) setTextBoxCharset(box, charset);
}

QLineEdit* SearchDialog::addTextBox(const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    m_textBoxes.append(edit);
    return edit;
}

QLabel* SearchDialog::addLabel(const char* name, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

// The "Origin" group, hidden: "&From cursor" (checked) and "&Entire scope".
QGroupBox* SearchDialog::addOriginGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Origin"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_fromCursor = new QRadioButton(QStringLiteral("&From cursor"), group);
    m_fromCursor->setObjectName(QStringLiteral("RadioButton1"));
    m_fromCursor->setChecked(true);
    m_entireScope = new QRadioButton(QStringLiteral("&Entire scope"), group);
    m_entireScope->setObjectName(QStringLiteral("RadioButton2"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_fromCursor);
    layout->addWidget(m_entireScope);
    group->hide();
    return group;
}

ColorButton* SearchDialog::addButton(const char* name, const QString& caption)
{
    auto* button = new ColorButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

ColorButton* SearchDialog::addFindButton()
{
    m_findButton = addButton("ButFind", QStringLiteral("&Find"));
    return m_findButton;
}

ColorButton* SearchDialog::addCloseButton()
{
    m_closeButton = addButton("ButClose", QStringLiteral("&Close"));
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);
    return m_closeButton;
}

void SearchDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_findEdit->setFocus(Qt::OtherFocusReason);
}

void SearchDialog::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEscape(*event, *m_closeButton)) QDialog::keyPressEvent(event);
}

}  // namespace vellumar
