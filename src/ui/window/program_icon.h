#pragma once
// The program's icon, from the window layer's resources.

#include <QIcon>

namespace vellumar {

// The icon of the program's windows and of the about box. Needs a QGuiApplication.
QIcon programIcon();

}  // namespace vellumar
