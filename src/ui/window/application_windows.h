#pragma once
// The program's windows. They are created once at start and live for the whole run; commands
// only show and hide them. The dialogs exist before the main window, which is handed them.

#include <memory>

namespace vellumar {

class AboutBox;
class BookInfoDialog;
class DiagnosticWindow;
class FindDialog;
class HelpWindow;
class MainWindow;
class ReplaceDialog;

class ApplicationWindows {
public:
    // Sets the application title ("Vellumar") and creates the seven windows: the about box,
    // the help window, the book-info dialog, the find dialog, the replace dialog, the diagnostic
    // text window, then the main window. The dialogs follow the main window's character set.
    ApplicationWindows();
    // Destroys them in the reverse order.
    ~ApplicationWindows();
    ApplicationWindows(const ApplicationWindows&) = delete;
    ApplicationWindows& operator=(const ApplicationWindows&) = delete;

    MainWindow& mainWindow() const { return *m_mainWindow; }
    AboutBox& aboutBox() const { return *m_aboutBox; }
    HelpWindow& helpWindow() const { return *m_helpWindow; }
    BookInfoDialog& bookInfoDialog() const { return *m_bookInfoDialog; }
    FindDialog& findDialog() const { return *m_findDialog; }
    ReplaceDialog& replaceDialog() const { return *m_replaceDialog; }
    DiagnosticWindow& diagnosticWindow() const { return *m_diagnosticWindow; }

private:
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<HelpWindow> m_helpWindow;
    std::unique_ptr<BookInfoDialog> m_bookInfoDialog;
    std::unique_ptr<FindDialog> m_findDialog;
    std::unique_ptr<ReplaceDialog> m_replaceDialog;
    std::unique_ptr<DiagnosticWindow> m_diagnosticWindow;
    std::unique_ptr<MainWindow> m_mainWindow;
};

}  // namespace vellumar
