#include "ui/widgets/page_tab_widget.h"

#include <QFontMetrics>
#include <QPen>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace vellumar {

QSize FixedWidthTabBar::tabSizeHint(int index) const
{
    return {kTabWidth, QTabBar::tabSizeHint(index).height()};
}

QSize FixedWidthTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void FixedWidthTabBar::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    fitFont();
}

void FixedWidthTabBar::fitFont()
{
    if (m_fitting) return;
    m_fitting = true;
    constexpr qreal kSmallestPoints = 6.0;
    QFont font = parentWidget() ? parentWidget()->font() : QFont();
    auto fits = [this, &font] {
        const QFontMetrics metrics(font);
        for (int i = 0; i < count(); ++i) {
            if (metrics.horizontalAdvance(tabText(i)) + 2 * kCaptionPadding > kTabWidth) return false;
        }
        return true;
    };
    if (!fits()) {
        // A narrower face first (fontconfig gives a metric twin of Arial), then smaller sizes.
        font.setFamily(QStringLiteral("Arial"));
        while (!fits() && font.pointSizeF() > kSmallestPoints) font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    setFont(font);
    m_fitting = false;
}

void FixedWidthTabBar::paintEvent(QPaintEvent*)
{
    // The style's tab shapes with the captions drawn over them: the style's own caption padding
    // is too wide for a 100-pixel tab.
    QStylePainter painter(this);
    auto paintTab = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        const QRect caption = option.rect.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0);
        painter.setPen(palette().color(isTabEnabled(index) ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        const int lift = index == currentIndex() ? -1 : 1;
        painter.drawText(caption.translated(0, lift), Qt::AlignCenter | Qt::TextShowMnemonic, tabText(index));
    };
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex()) paintTab(i);
    }
    if (currentIndex() >= 0) paintTab(currentIndex());

    // With the keyboard focus here the arrow keys switch pages: a dotted frame in the highlight
    // colour around the current caption shows where the keys go.
    if (hasFocus() && currentIndex() >= 0) {
        const QRect frame = tabRect(currentIndex()).adjusted(kCaptionPadding, 3, -kCaptionPadding, -3);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

PageTabWidget::PageTabWidget(QWidget* parent) : QTabWidget(parent)
{
    auto* bar = new FixedWidthTabBar(this);
    bar->setElideMode(Qt::ElideNone);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(true);
    setTabBar(bar);
}

}  // namespace vellumar
