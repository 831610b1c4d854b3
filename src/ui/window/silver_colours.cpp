#include "ui/window/silver_colours.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QMainWindow>
#include <QOperatingSystemVersion>
#include <QToolBar>
#include <QWidget>

namespace vellumar {

namespace {

bool takesSilver(const QWidget& widget)
{
    // Forms: main windows, dialogs and plain windows; pop-up menus and tips keep their colours.
    if (widget.isWindow())
        return qobject_cast<const QMainWindow*>(&widget) || qobject_cast<const QDialog*>(&widget) ||
               widget.metaObject() == &QWidget::staticMetaObject;
    if (qobject_cast<const QToolBar*>(&widget) || qobject_cast<const QGroupBox*>(&widget)) return true;
    // Panels are plain frames; editors and lists are frames too but of more specific kinds.
    const QMetaObject* kind = widget.metaObject();
    return kind == &QFrame::staticMetaObject;
}

void paintSilver(QWidget& widget)
{
    if (takesSilver(widget)) {
        QPalette palette = widget.palette();
        palette.setColor(widget.backgroundRole(), QColor(192, 192, 192));
        widget.setPalette(palette);
        widget.setAutoFillBackground(true);
    }
    for (QObject* child : widget.children()) {
        if (auto* childWidget = qobject_cast<QWidget*>(child)) paintSilver(*childWidget);
    }
}

}  // namespace

bool isNt6System()
{
    const QOperatingSystemVersion system = QOperatingSystemVersion::current();
    return system.type() == QOperatingSystemVersion::Windows && system.majorVersion() == 6;
}

void setSilverColours()
{
    for (QWidget* window : QApplication::topLevelWidgets()) paintSilver(*window);
}

}  // namespace vellumar
