#include "ui/application_windows.h"

#include <QCoreApplication>

#include "ui/about_box.h"
#include "ui/book_info_dialog.h"
#include "ui/find_dialog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/replace_dialog.h"
#include "ui/test_window.h"

namespace vellumar {

ApplicationWindows& applicationWindows()
{
    static ApplicationWindows windows;
    return windows;
}

void createApplicationWindows()
{
    QCoreApplication::setApplicationName(TForm1::applicationTitle());
    // Each window is registered as soon as it exists: the later ones look for the earlier ones.
    ApplicationWindows& windows = applicationWindows();
    windows.Form1 = new TForm1;
    windows.AboutBox = new TAboutBox;
    windows.Form4 = new TForm4;
    windows.FBookInfo = new TFBookInfo;
    windows.FFind = new TFFind;
    windows.FReplace = new TFReplace;
    windows.FTest = new TFTest;
}

void destroyApplicationWindows()
{
    ApplicationWindows& windows = applicationWindows();
    delete windows.FTest;
    delete windows.FReplace;
    delete windows.FFind;
    delete windows.FBookInfo;
    delete windows.Form4;
    delete windows.AboutBox;
    delete windows.Form1;
    windows = ApplicationWindows();
}

}  // namespace vellumar
