#include "ui/window/application_windows.h"

#include <initializer_list>

#include <QCoreApplication>
#include <QWindow>

#include "ui/dialogs/about_box.h"
#include "ui/dialogs/book_info_dialog.h"
#include "ui/dialogs/diagnostic_window.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/plain_message_box.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/window/main_window.h"

namespace vellumar {

ApplicationWindows::ApplicationWindows()
{
    QCoreApplication::setApplicationName(MainWindow::applicationTitle());
    m_aboutBox = std::make_unique<AboutBox>();
    m_helpWindow = std::make_unique<HelpWindow>();
    m_bookInfoDialog = std::make_unique<BookInfoDialog>();
    m_findDialog = std::make_unique<FindDialog>();
    m_replaceDialog = std::make_unique<ReplaceDialog>();
    m_diagnosticWindow = std::make_unique<DiagnosticWindow>();
    m_mainWindow = std::make_unique<MainWindow>(DialogWindows{m_aboutBox.get(), m_helpWindow.get(),
                                                              m_bookInfoDialog.get(), m_findDialog.get(),
                                                              m_replaceDialog.get(), m_diagnosticWindow.get()});

    // The dialogs open over the main window: the window manager places them on it and keeps them
    // above it. They are not its children (the settings and language files read each window's
    // own components), so the relation is set on the windows themselves.
    m_mainWindow->winId();
    QWindow* mainHandle = m_mainWindow->windowHandle();
    for (QWidget* window : std::initializer_list<QWidget*>{m_aboutBox.get(), m_helpWindow.get(), m_bookInfoDialog.get(),
                                                           m_findDialog.get(), m_replaceDialog.get(),
                                                           m_diagnosticWindow.get()}) {
        window->winId();
        if (window->windowHandle()) window->windowHandle()->setTransientParent(mainHandle);
    }
    // A missing help text is reported before the help window shows: over the main window.
    MainWindow* owner = m_mainWindow.get();
    m_helpWindow->setMessageSink([owner](const QString& message) {
        showPlainMessageBox(owner, QMessageBox::Information, QCoreApplication::applicationName(), message);
    });

    const MainWindow* main = m_mainWindow.get();
    QObject::connect(main, &MainWindow::charsetChanged, m_bookInfoDialog.get(), &BookInfoDialog::setCharset);
    QObject::connect(main, &MainWindow::charsetChanged, m_findDialog.get(), &FindDialog::setCharset);
    QObject::connect(main, &MainWindow::charsetChanged, m_replaceDialog.get(), &ReplaceDialog::setCharset);
    m_bookInfoDialog->setCharset(main->charset());
    m_findDialog->setCharset(main->charset());
    m_replaceDialog->setCharset(main->charset());
}

ApplicationWindows::~ApplicationWindows()
{
    m_mainWindow.reset();
    m_diagnosticWindow.reset();
    m_replaceDialog.reset();
    m_findDialog.reset();
    m_bookInfoDialog.reset();
    m_helpWindow.reset();
    m_aboutBox.reset();
}

}  // namespace vellumar
