#pragma once
// The layout of the "Images" page: an upper area 137 pixels high with its tool bar above the
// text box Memo1, and a lower area filling the rest with its tool bar above Memo2.

class QPlainTextEdit;
class QToolBar;
class QWidget;

namespace vellumar {

struct ImagesPageBoxes {
    QPlainTextEdit* upper = nullptr;  // Memo1
    QPlainTextEdit* lower = nullptr;  // Memo2
};

ImagesPageBoxes layOutImagesPage(QWidget& page, QToolBar* upperToolBar, QToolBar* lowerToolBar);

}  // namespace vellumar
