#pragma once
// The push button of all dialogs: drawn by the program itself, with its face in the button's own
// colour. It shows a dark frame when it has the focus or is the default button, is drawn sunken
// while pressed and raised otherwise, centres its caption, and draws the caption embossed in grey
// when disabled. A double click counts as a press.

#include <QColor>
#include <QPushButton>

namespace vellumar {

class ColorButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit ColorButton(QWidget* parent = nullptr);
    ColorButton(const QString& caption, QWidget* parent = nullptr);

    // The face colour; the palette's button colour until one is set.
    QColor color() const;
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_color;
};

}  // namespace vellumar
