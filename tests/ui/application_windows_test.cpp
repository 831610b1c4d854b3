// The program's start: the seven windows, the main window on its "Source" page, and the
// character set reaching the editors and the dialogs' text boxes once they exist.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "ui/dialogs/about_box.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/diagnostic_window.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/editor/charset_text.h"
#include "ui/editor/code_editor.h"
#include "ui/widgets/page_tab_widget.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"

namespace vellumar {
namespace {

TEST(ApplicationWindows, SevenWindowsExistAndStayHidden)
{
    const ApplicationWindows windows;
    const QWidget* created[] = {&windows.mainWindow(),     &windows.aboutBox(),    &windows.helpWindow(),
                                &windows.bookInfoDialog(), &windows.findDialog(),  &windows.replaceDialog(),
                                &windows.diagnosticWindow()};
    for (const QWidget* window : created) {
        EXPECT_TRUE(window->isWindow());
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(QCoreApplication::applicationName(), "Vellumar");
    EXPECT_EQ(windows.mainWindow().windowTitle(), "Vellumar");
    EXPECT_EQ(windows.mainWindow().pages()->currentIndex(), 0);
}

TEST(ApplicationWindows, ChosenCharsetReachesEditorsAndDialogs)
{
    const ApplicationWindows windows;
    MainWindow& form = windows.mainWindow();
    QSignalSpy changes(&form, &MainWindow::charsetChanged);
    form.sourceEditor()->editor().setText("\xCF\xF0\xE8");
    auto* charsets = form.findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    charsets->setCurrentText(QStringLiteral("RUSSIAN_CHARSET"));
    EXPECT_EQ(form.charset(), 204);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 204);
    EXPECT_EQ(form.sourceEditor()->charset(), 204);
    EXPECT_EQ(form.fb2Editor()->charset(), 204);
    const std::vector<QLineEdit*> boxes = {
        windows.bookInfoDialog().titleEdit(), windows.bookInfoDialog().firstNameEdit(),
        windows.bookInfoDialog().lastNameEdit(), windows.findDialog().findEdit(),
        windows.replaceDialog().findEdit(), windows.replaceDialog().replaceEdit()};
    for (const QLineEdit* box : boxes)
        EXPECT_EQ(textBoxCharset(box), 204) << box->objectName().toStdString();

    charsets->setCurrentText(QStringLiteral("OEM_CHARSET"));
    EXPECT_EQ(form.sourceEditor()->editor().codePage(), "CP866");
    EXPECT_EQ(form.sourceEditor()->editor().text(), "\xCF\xF0\xE8");
    for (const QLineEdit* box : boxes)
        EXPECT_EQ(textBoxCharset(box), 255) << box->objectName().toStdString();

    charsets->setCurrentIndex(-1);
    EXPECT_EQ(form.charset(), 1) << "no selection gives the default set";
}

TEST(ApplicationWindows, DialogsStartInTheMainWindowsSet)
{
    const ApplicationWindows windows;
    EXPECT_EQ(textBoxCharset(windows.findDialog().findEdit()), windows.mainWindow().charset());
}

}  // namespace
}  // namespace vellumar
