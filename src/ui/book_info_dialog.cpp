#include "ui/book_info_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/charset_text.h"
#include "ui/color_button.h"

namespace vellumar {

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(QString::fromLatin1(name), parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

}  // namespace

BookInfoDialog::BookInfoDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FBookInfo"));
    setWindowTitle(QStringLiteral("FBookInfo"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    m_edit1 = makeEdit(this, "Edit1");
    auto* label1 = makeLabel(this, "Label1", QStringLiteral("book-title"), m_edit1);

    auto* group = new QGroupBox(QStringLiteral("Author"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_edit2 = makeEdit(group, "Edit2");
    m_edit3 = makeEdit(group, "Edit3");
    auto* label2 = makeLabel(group, "Label2", QStringLiteral("First Name"), m_edit2);
    auto* label3 = makeLabel(group, "Label3", QStringLiteral("Last Name"), m_edit3);
    auto* names = new QGridLayout(group);
    names->setContentsMargins(12, 8, 12, 12);
    names->setHorizontalSpacing(16);
    names->setVerticalSpacing(4);
    names->addWidget(label2, 0, 0);
    names->addWidget(m_edit2, 1, 0);
    names->addWidget(label3, 0, 1);
    names->addWidget(m_edit3, 1, 1);

    m_butOk = new ColorButton(QStringLiteral("&Ok"), this);
    m_butOk->setObjectName(QStringLiteral("ButOk"));
    m_butCancel = new ColorButton(QStringLiteral("&Cancel"), this);
    m_butCancel->setObjectName(QStringLiteral("ButCancel"));
    for (ColorButton* button : {m_butOk, m_butCancel})
        button->setMinimumSize(90, 27);
    connect(m_butOk, &QPushButton::clicked, this, [this] {
        m_resultFlag = 1;
        accept();
    });
    connect(m_butCancel, &QPushButton::clicked, this, [this] {
        m_resultFlag = 0;
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_butOk);
    buttons->addSpacing(8);
    buttons->addWidget(m_butCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(4);
    layout->addWidget(label1);
    layout->addWidget(m_edit1);
    layout->addSpacing(10);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(m_edit1, m_edit2);
    setTabOrder(m_edit2, m_edit3);
    setTabOrder(m_edit3, m_butOk);
    setTabOrder(m_butOk, m_butCancel);
    for (QLineEdit* edit : {m_edit1, m_edit2, m_edit3})
        edit->installEventFilter(this);

    setFixedSize(513, 236);
}

std::optional<BookInfoAnswers> BookInfoDialog::ask()
{
    m_resultFlag = 0;
    for (QLineEdit* box : {m_edit1, m_edit2, m_edit3})
        box->clear();
    exec();
    if (m_resultFlag != 1)
        return std::nullopt;
    return BookInfoAnswers{TextBoxBytes(m_edit1), TextBoxBytes(m_edit2), TextBoxBytes(m_edit3)};
}

void BookInfoDialog::setCharset(int charset)
{
    for (QLineEdit* box : {m_edit1, m_edit2, m_edit3})
        SetTextBoxCharset(box, charset);
}

void BookInfoDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit1->setFocus(Qt::OtherFocusReason);
}

bool BookInfoDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_edit1)
                m_edit2->setFocus(Qt::TabFocusReason);
            else if (watched == m_edit2)
                m_edit3->setFocus(Qt::TabFocusReason);
            else if (watched == m_edit3)
                m_butOk->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BookInfoDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_butCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vellumar
