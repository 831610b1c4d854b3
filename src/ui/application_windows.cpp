#include "ui/application_windows.h"

#include <QCoreApplication>

#include "ui/main_window.h"

namespace vellumar {

ApplicationWindows& applicationWindows()
{
    static ApplicationWindows windows;
    return windows;
}

void createApplicationWindows()
{
    QCoreApplication::setApplicationName(QStringLiteral("Vellumar"));
    ApplicationWindows& windows = applicationWindows();
    windows.Form1 = new TForm1;
}

void destroyApplicationWindows()
{
    ApplicationWindows& windows = applicationWindows();
    delete windows.Form1;
    windows.Form1 = nullptr;
}

}  // namespace vellumar
