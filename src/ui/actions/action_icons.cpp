#include "ui/actions/action_icons.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

namespace vellumar {

namespace {

// The colours of the hand-drawn pictures. On a dark tool bar the lines are light, so that no
// part of a picture disappears into the bar.
struct Ink {
    QColor line;       // outlines and handles
    QColor badgeLine;  // the frame of a tag badge
    QColor badgeFill;
    QColor badgeText;
    QColor lensFill;
    QColor arrow;      // the "again" and "replace" arrows
    QColor tick;
};

Ink inkFor(const QPalette& palette)
{
    if (palette.color(QPalette::Window).lightness() < 128)
        return {QColor(225, 228, 235), QColor(150, 180, 235), QColor(225, 235, 250), QColor(20, 40, 110),
                QColor(70, 95, 140), QColor(120, 220, 120), QColor(110, 225, 110)};
    return {QColor(60, 60, 70), QColor(40, 70, 140), QColor(225, 235, 250), QColor(20, 40, 110),
            QColor(215, 230, 250), QColor(20, 130, 40), QColor(20, 140, 40)};
}

// Draws one picture at the sizes a tool bar asks for at single and double scale.
template <typename Draw>
QIcon drawPicture(Draw draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, size / 16.0);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon badgePicture(const ActionIcon& badge, const Ink& ink)
{
    return drawPicture([&](QPainter& painter, qreal unit) {
        const qreal size = 16 * unit;
        const QRectF frame(0.5, size * 0.15 + 0.5, size - 1.0, size * 0.7);
        painter.setPen(QPen(ink.badgeLine, unit));
        painter.setBrush(ink.badgeFill);
        painter.drawRoundedRect(frame, size * 0.15, size * 0.15);
        QFont font = painter.font();
        font.setPixelSize(static_cast<int>(size * 0.55));
        font.setBold(badge.bold);
        font.setStyle(badge.italic ? QFont::StyleItalic : QFont::StyleNormal);
        painter.setFont(font);
        painter.setPen(ink.badgeText);
        painter.drawText(frame, Qt::AlignCenter, QString::fromUtf8(badge.badgeText.data(), static_cast<qsizetype>(badge.badgeText.size())));
    });
}

// A magnifying glass: a lens and a handle, in the upper left of the picture.
void drawMagnifier(QPainter& painter, qreal unit, const Ink& ink, qreal scale = 1.0)
{
    const qreal u = unit * scale;
    painter.setPen(QPen(ink.line, 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10 * u, 10 * u), QPointF(14.5 * u, 14.5 * u));
    painter.setPen(QPen(ink.badgeLine, 1.6 * u));
    painter.setBrush(ink.lensFill);
    painter.drawEllipse(QPointF(6.5 * u, 6.5 * u), 4.8 * u, 4.8 * u);
}

// A short arrow pointing right from (x, y), its head at x + length.
void drawArrow(QPainter& painter, qreal unit, QPointF from, qreal length, const QColor& colour)
{
    painter.setPen(QPen(colour, 1.8 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF head(from.x() + length, from.y());
    painter.drawLine(from, head);
    painter.drawPolyline(QPolygonF({head + QPointF(-3 * unit, -3 * unit), head, head + QPointF(-3 * unit, 3 * unit)}));
}

QIcon findIcon(const Ink& ink)
{
    return drawPicture([&](QPainter& painter, qreal unit) { drawMagnifier(painter, unit, ink); });
}

// Search Again: a smaller glass with an arrow to the next place.
QIcon findNextIcon(const Ink& ink)
{
    return drawPicture([&](QPainter& painter, qreal unit) {
        drawMagnifier(painter, unit, ink, 0.75);
        drawArrow(painter, unit, QPointF(7 * unit, 13.5 * unit), 8 * unit, ink.arrow);
    });
}

// Replace: a letter "a" turned into a "b".
QIcon replaceIcon(const Ink& ink)
{
    return drawPicture([&](QPainter& painter, qreal unit) {
        QFont font = painter.font();
        font.setPixelSize(static_cast<int>(8 * unit));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(ink.line);
        painter.drawText(QRectF(0, 0, 8 * unit, 8 * unit), Qt::AlignCenter, QStringLiteral("a"));
        painter.setPen(ink.badgeLine);
        painter.drawText(QRectF(8 * unit, 8 * unit, 8 * unit, 8 * unit), Qt::AlignCenter, QStringLiteral("b"));
        painter.setPen(QPen(ink.arrow, 1.6 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        QPainterPath bend(QPointF(8.5 * unit, 3.5 * unit));
        bend.quadTo(QPointF(12.5 * unit, 3.5 * unit), QPointF(12.5 * unit, 7.5 * unit));
        painter.drawPath(bend);
        painter.drawPolyline(QPolygonF({QPointF(10.5 * unit, 5.8 * unit), QPointF(12.5 * unit, 7.8 * unit),
                                        QPointF(14.5 * unit, 5.8 * unit)}));
    });
}

// Check FB2: a tick over a page.
QIcon checkIcon(const Ink& ink)
{
    return drawPicture([&](QPainter& painter, qreal unit) {
        painter.setPen(QPen(ink.badgeLine, unit));
        painter.setBrush(ink.badgeFill);
        painter.drawRect(QRectF(2.5 * unit, 1.5 * unit, 9 * unit, 12 * unit));
        painter.setPen(QPen(ink.tick, 2.4 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({QPointF(5 * unit, 9 * unit), QPointF(8.5 * unit, 13 * unit),
                                        QPointF(14.5 * unit, 4 * unit)}));
    });
}

}  // namespace

QIcon iconFor(const ActionIcon& icon, const QWidget& owner)
{
    switch (icon.kind) {
    case ActionIcon::Kind::None: break;
    case ActionIcon::Kind::Standard: return owner.style()->standardIcon(icon.standard, nullptr, &owner);
    case ActionIcon::Kind::Badge: return badgePicture(icon, inkFor(owner.palette()));
    case ActionIcon::Kind::Drawn: {
        const Ink ink = inkFor(owner.palette());
        switch (icon.drawn) {
        case DrawnPicture::Find: return findIcon(ink);
        case DrawnPicture::FindNext: return findNextIcon(ink);
        case DrawnPicture::Replace: return replaceIcon(ink);
        case DrawnPicture::Check: return checkIcon(ink);
        }
        break;
    }
    }
    return {};
}

}  // namespace vellumar
