// The window program: answers --help and --version without a window, otherwise creates the
// program's windows, opens the files named on the command line and runs until the main window
// closes.

#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "program_version.h"
#include "ui/window/application_windows.h"
#include "ui/window/main_window.h"
#include "ui/window/program_arguments.h"
#include "ui/window/program_icon.h"
#include "ui/window/termination_request.h"

int main(int argc, char* argv[])
{
    const vellumar::ProgramArguments arguments =
        vellumar::parseProgramArguments(std::vector<std::string>(argv, argv + argc));
    if (arguments.help) {
        std::cout << vellumar::programHelpText();
        return 0;
    }
    if (arguments.version) {
        std::cout << vellumar::programVersionText();
        return 0;
    }
    if (!arguments.unknownOption.empty()) {
        std::cerr << "vellumar: unknown option " << arguments.unknownOption << "\n"
                  << "Try 'vellumar --help' for more information.\n";
        return 2;
    }

    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMAR_VERSION_LABEL));
    QApplication::setWindowIcon(vellumar::programIcon());
    const vellumar::ApplicationWindows windows;
    vellumar::MainWindow& mainWindow = windows.mainWindow();
    QObject::connect(&mainWindow, &vellumar::MainWindow::closed, &application, &QCoreApplication::quit);
    // A session that ends asks the window to close, as the user would: settings are saved and
    // unsaved work is asked about.
    const vellumar::TerminationRequest termination;
    QObject::connect(&termination, &vellumar::TerminationRequest::requested, &mainWindow, &QWidget::close);
    mainWindow.show();
    vellumar::openFileArguments(mainWindow, vellumar::fileArguments(QCoreApplication::arguments()));
    return QApplication::exec();
}
