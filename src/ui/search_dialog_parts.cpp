#include "ui/search_dialog_parts.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/color_button.h"

namespace vellumar {

void MakeSearchWindow(QDialog* dialog, const QString& name, const QString& caption, int width, int height)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    dialog->setModal(false);
    dialog->setFixedSize(width, height);
}

QGroupBox* MakeOriginGroup(QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("Origin"), parent);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* fromCursor = new QRadioButton(QStringLiteral("&From cursor"), group);
    fromCursor->setObjectName(QStringLiteral("RadioButton1"));
    fromCursor->setChecked(true);
    auto* entireScope = new QRadioButton(QStringLiteral("&Entire scope"), group);
    entireScope->setObjectName(QStringLiteral("RadioButton2"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(fromCursor);
    layout->addWidget(entireScope);
    group->hide();
    return group;
}

QLabel* MakeSearchLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QLineEdit* MakeSearchEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

ColorButton* MakeSearchButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new ColorButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace vellumar
