#pragma once
// The main window's tab control: every tab is exactly 100 pixels wide, whatever its caption. The
// tab bar draws its captions with a narrow padding, and when a caption would still not fit its
// font shrinks until every caption does. A dotted frame marks the current tab while the tab bar
// has the keyboard focus.

#include <QTabBar>
#include <QTabWidget>

namespace vellumar {

class FixedWidthTabBar : public QTabBar {
    Q_OBJECT

public:
    static constexpr int kTabWidth = 100;
    static constexpr int kCaptionPadding = 4;
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void tabLayoutChange() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitFont();
    bool m_fitting = false;
};

class PageTabWidget : public QTabWidget {
    Q_OBJECT

public:
    explicit PageTabWidget(QWidget* parent = nullptr);
};

}  // namespace vellumar
