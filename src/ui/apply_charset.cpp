#include "ui/apply_charset.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "settings/charsets.h"
#include "ui/charset_text.h"

namespace vellumar {

namespace {

constexpr int kDefaultCharset = 1;

QWidget* topLevelWindow(const QString& name)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            return window;
    }
    return nullptr;
}

}  // namespace

int ChosenCharset(const QWidget* mainWindow)
{
    if (mainWindow == nullptr)
        return kDefaultCharset;
    const auto* list = mainWindow->findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    if (list == nullptr || list->currentIndex() < 0)
        return kDefaultCharset;
    return CharsetByName(list->currentText().toStdString());
}

int ChosenCharset()
{
    return ChosenCharset(topLevelWindow(QStringLiteral("Form1")));
}

void ApplyCharsetToDialog(QWidget* dialog, int charset)
{
    if (dialog == nullptr)
        return;
    for (const char* name : {"Edit1", "Edit2", "Edit3"}) {
        if (auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
            SetTextBoxCharset(box, charset);
    }
}

void ApplyCharset(QWidget* mainWindow)
{
    const int charset = ChosenCharset(mainWindow);
    if (mainWindow != nullptr) {
        for (const char* name : {"SynMemo1", "SynMemo2"}) {
            if (QWidget* editor = mainWindow->findChild<QWidget*>(QString::fromLatin1(name)))
                editor->setProperty("charset", charset);
        }
    }
    for (const char* name : {"FBookInfo", "FFind", "FReplace"})
        ApplyCharsetToDialog(topLevelWindow(QString::fromLatin1(name)), charset);
}

}  // namespace vellumar
