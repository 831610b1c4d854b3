#pragma once
// The program's windows. They are created once at start, in a fixed order, and live for the
// whole run; commands only show and hide them.

class TAboutBox;
class TFBookInfo;
class TFFind;
class TForm4;
class TFReplace;
class TFTest;

namespace vellumar {

class TForm1;

struct ApplicationWindows {
    TForm1* Form1 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm4* Form4 = nullptr;
    TFBookInfo* FBookInfo = nullptr;
    TFFind* FFind = nullptr;
    TFReplace* FReplace = nullptr;
    TFTest* FTest = nullptr;
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
