// The window program: creates the program's windows, shows the main window and runs until it
// closes.

#include <QApplication>

#include "ui/application_windows.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "program_version.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMAR_VERSION_LABEL));
    QApplication::setWindowIcon(vellumar::ProgramIcon());
    const vellumar::ApplicationWindows windows;
    vellumar::MainWindow& form = windows.mainWindow();
    QObject::connect(&form, &vellumar::MainWindow::closed, &application, &QCoreApplication::quit);
    form.show();
    return QApplication::exec();
}
