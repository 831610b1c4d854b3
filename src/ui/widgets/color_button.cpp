#include "ui/widgets/color_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace vellumar {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {}

ColorButton::ColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

QColor ColorButton::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Button);
}

void ColorButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize ColorButton::sizeHint() const
{
    // Room for the caption, the frames and a little air; never smaller than the usual 75 x 25.
    const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
    return QSize(qMax(75, caption.width() + 24), qMax(25, caption.height() + 10));
}

void ColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect face = rect();
    const bool framed = hasFocus() || isDefault();
    if (framed) {
        painter.setPen(palette().color(QPalette::Shadow).darker(150));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }

    const QBrush faceBrush(color());
    const bool pressed = isDown() || isChecked();
    if (pressed) {
        qDrawShadePanel(&painter, face, palette(), true, 1, &faceBrush);
    } else {
        qDrawWinButton(&painter, face, palette(), false, &faceBrush);
    }

    // The caption moves one pixel down and right while the button is held.
    QRect textRect = face;
    if (pressed)
        textRect.translate(1, 1);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(textRect, flags, text());
    } else {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, text());
        painter.setPen(QColor(Qt::darkGray));
        painter.drawText(textRect, flags, text());
    }

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = face.adjusted(3, 3, -3, -3);
        option.backgroundColor = color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ColorButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click presses the button again, as a single click does.
    mousePressEvent(event);
}

}  // namespace vellumar
