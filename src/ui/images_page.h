#pragma once
// The layout of the "Images" page: an upper area 137 pixels high with its tool bar above the
// text box Memo1, and a lower area filling the rest with its tool bar above Memo2.

class QToolBar;
class QWidget;

namespace vellumar {

void layOutImagesPage(QWidget& page, QToolBar* upperToolBar, QToolBar* lowerToolBar);

}  // namespace vellumar
