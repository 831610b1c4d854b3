#pragma once
// The program's windows. They are created once at start, in a fixed order, and live for the
// whole run; commands only show and hide them.

namespace vellumar {

class AboutBox;
class BookInfoDialog;
class DiagnosticWindow;
class FindDialog;
class HelpWindow;
class MainWindow;
class ReplaceDialog;

struct ApplicationWindows {
    MainWindow* mainWindow = nullptr;
    AboutBox* aboutBox = nullptr;
    HelpWindow* helpWindow = nullptr;
    BookInfoDialog* bookInfoDialog = nullptr;
    FindDialog* findDialog = nullptr;
    ReplaceDialog* replaceDialog = nullptr;
    DiagnosticWindow* diagnosticWindow = nullptr;
};

// The windows that exist now; a window not created yet is null.
ApplicationWindows& applicationWindows();

// Sets the application title ("Vellumar") and creates the seven windows in order: the main
// window, the about box, the help window, the book-info dialog, the find dialog, the replace
// dialog and the diagnostic text window.
void createApplicationWindows();
// Destroys them in the reverse order.
void destroyApplicationWindows();

}  // namespace vellumar
