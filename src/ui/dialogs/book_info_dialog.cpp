#include "ui/dialogs/book_info_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/editor/charset_text.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/escape_button.h"

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

    m_titleEdit = makeEdit(this, "Edit1");
    auto* label1 = makeLabel(this, "Label1", QStringLiteral("book-title"), m_titleEdit);

    auto* group = new QGroupBox(QStringLiteral("Author"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_firstNameEdit = makeEdit(group, "Edit2");
    m_lastNameEdit = makeEdit(group, "Edit3");
    auto* label2 = makeLabel(group, "Label2", QStringLiteral("First Name"), m_firstNameEdit);
    auto* label3 = makeLabel(group, "Label3", QStringLiteral("Last Name"), m_lastNameEdit);
    auto* names = new QGridLayout(group);
    names->setContentsMargins(12, 8, 12, 12);
    names->setHorizontalSpacing(16);
    names->setVerticalSpacing(4);
    names->addWidget(label2, 0, 0);
    names->addWidget(m_firstNameEdit, 1, 0);
    names->addWidget(label3, 0, 1);
    names->addWidget(m_lastNameEdit, 1, 1);

    m_okButton = new ColorButton(QStringLiteral("&Ok"), this);
    m_okButton->setObjectName(QStringLiteral("ButOk"));
    m_cancelButton = new ColorButton(QStringLiteral("&Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("ButCancel"));
    for (ColorButton* button : {m_okButton, m_cancelButton})
        button->setMinimumSize(90, 27);
    connect(m_okButton, &QPushButton::clicked, this, [this] {
        m_resultFlag = 1;
        accept();
    });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        m_resultFlag = 0;
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addSpacing(8);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(4);
    layout->addWidget(label1);
    layout->addWidget(m_titleEdit);
    layout->addSpacing(10);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(m_titleEdit, m_firstNameEdit);
    setTabOrder(m_firstNameEdit, m_lastNameEdit);
    setTabOrder(m_lastNameEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    for (QLineEdit* edit : {m_titleEdit, m_firstNameEdit, m_lastNameEdit})
        edit->installEventFilter(this);

    setFixedSize(513, 236);
}

std::optional<BookInfoAnswers> BookInfoDialog::ask(const BookInfoAnswers* proposed)
{
    m_resultFlag = 0;
    for (QLineEdit* box : {m_titleEdit, m_firstNameEdit, m_lastNameEdit})
        box->clear();
    if (proposed != nullptr) {
        setTextBoxBytes(m_titleEdit, proposed->title);
        setTextBoxBytes(m_firstNameEdit, proposed->firstName);
        setTextBoxBytes(m_lastNameEdit, proposed->lastName);
    }
    exec();
    if (m_resultFlag != 1)
        return std::nullopt;
    return BookInfoAnswers{textBoxBytes(m_titleEdit), textBoxBytes(m_firstNameEdit), textBoxBytes(m_lastNameEdit)};
}

void BookInfoDialog::setCharset(int charset)
{
    for (QLineEdit* box : {m_titleEdit, m_firstNameEdit, m_lastNameEdit})
        setTextBoxCharset(box, charset);
}

void BookInfoDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_titleEdit->setFocus(Qt::OtherFocusReason);
}

bool BookInfoDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_titleEdit)
                m_firstNameEdit->setFocus(Qt::TabFocusReason);
            else if (watched == m_firstNameEdit)
                m_lastNameEdit->setFocus(Qt::TabFocusReason);
            else if (watched == m_lastNameEdit)
                m_okButton->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BookInfoDialog::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEscape(*event, *m_cancelButton)) QDialog::keyPressEvent(event);
}

}  // namespace vellumar
