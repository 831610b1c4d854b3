// The program's start: the seven windows in order, the main window on its "Source" page, and the
// character set reaching the editors and the dialogs' text boxes once they exist.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "ui/about_box.h"
#include "ui/application_windows.h"
#include "ui/book_info_dialog.h"
#include "ui/charset_text.h"
#include "ui/find_dialog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/page_tab_widget.h"
#include "ui/replace_dialog.h"
#include "ui/code_editor.h"
#include "ui/diagnostic_window.h"

namespace vellumar {
namespace {

class ApplicationWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { createApplicationWindows(); }
    void TearDown() override { destroyApplicationWindows(); }
};

TEST_F(ApplicationWindowsTest, SevenWindowsExistInOrderAndStayHidden)
{
    const ApplicationWindows& windows = applicationWindows();
    const QWidget* created[] = {windows.mainWindow,    windows.aboutBox, windows.helpWindow, windows.bookInfoDialog,
                                windows.findDialog, windows.replaceDialog, windows.diagnosticWindow};
    for (const QWidget* window : created) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isWindow());
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(QCoreApplication::applicationName(), "Vellumar");
    EXPECT_EQ(windows.mainWindow->windowTitle(), "Vellumar");
    EXPECT_EQ(windows.mainWindow->PageControl1()->currentIndex(), 0);
}

TEST_F(ApplicationWindowsTest, ChosenCharsetReachesEditorsAndDialogs)
{
    MainWindow* form = applicationWindows().mainWindow;
    form->SynMemo1()->editor().setText("\xCF\xF0\xE8");
    auto* charsets = form->findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    charsets->setCurrentText(QStringLiteral("RUSSIAN_CHARSET"));
    EXPECT_EQ(form->SynMemo1()->charset(), 204);
    EXPECT_EQ(form->SynMemo2()->charset(), 204);
    EXPECT_EQ(TextBoxCharset(applicationWindows().findDialog->findEdit()), 204);

    charsets->setCurrentText(QStringLiteral("OEM_CHARSET"));
    EXPECT_EQ(form->SynMemo1()->editor().codePage(), "CP866");
    EXPECT_EQ(form->SynMemo1()->editor().text(), "\xCF\xF0\xE8");
    EXPECT_EQ(TextBoxCharset(applicationWindows().findDialog->findEdit()), 255);
}

}  // namespace
}  // namespace vellumar
