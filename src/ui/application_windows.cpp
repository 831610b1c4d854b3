#include "ui/application_windows.h"

#include <QCoreApplication>

#include "ui/about_box.h"
#include "ui/book_info_dialog.h"
#include "ui/find_dialog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/replace_dialog.h"
#include "ui/search_commands.h"
#include "ui/diagnostic_window.h"

namespace vellumar {

ApplicationWindows& applicationWindows()
{
    static ApplicationWindows windows;
    return windows;
}

void createApplicationWindows()
{
    QCoreApplication::setApplicationName(MainWindow::applicationTitle());
    // Each window is registered as soon as it exists: the later ones look for the earlier ones.
    ApplicationWindows& windows = applicationWindows();
    windows.mainWindow = new MainWindow;
    windows.aboutBox = new AboutBox;
    windows.helpWindow = new HelpWindow;
    windows.bookInfoDialog = new BookInfoDialog;
    windows.findDialog = new FindDialog;
    windows.replaceDialog = new ReplaceDialog;
    windows.mainWindow->searchCommands().attach(*windows.findDialog, *windows.replaceDialog);
    windows.diagnosticWindow = new DiagnosticWindow;
}

void destroyApplicationWindows()
{
    ApplicationWindows& windows = applicationWindows();
    delete windows.diagnosticWindow;
    delete windows.replaceDialog;
    delete windows.findDialog;
    delete windows.bookInfoDialog;
    delete windows.helpWindow;
    delete windows.aboutBox;
    delete windows.mainWindow;
    windows = ApplicationWindows();
}

}  // namespace vellumar
