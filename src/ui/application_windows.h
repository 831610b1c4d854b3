#pragma once
// The program's windows. They are created once at start, in a fixed order, and live for the
// whole run; commands only show and hide them.

#include <memory>

class QWidget;

namespace vellumar {

class TForm1;

struct ApplicationWindows {
    TForm1* Form1 = nullptr;
};

// The windows that exist now; a window not created yet is null.
ApplicationWindows& applicationWindows();

// Sets the application title and creates the windows in order, the main window first.
void createApplicationWindows();
// Destroys them in the reverse order.
void destroyApplicationWindows();

}  // namespace vellumar
