#include "ui/widgets/link_label.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QUrl>

namespace vellumar {

namespace {

void openWithDesktop(const QString& target)
{
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent)
    : QWidget(parent), m_shadowColor(palette().color(QPalette::Light)), m_color(palette().color(QPalette::Window)),
      m_opener(openWithDesktop)
{
    resize(65, 17);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QString LinkLabel::prefixOf(UrlType type)
{
    switch (type) {
    case File: return QStringLiteral("file://");
    case Ftp: return QStringLiteral("ftp://");
    case Gopher: return QStringLiteral("gopher://");
    case Http: return QStringLiteral("http://");
    case Https: return QStringLiteral("https://");
    case Mailto: return QStringLiteral("mailto:");
    case News: return QStringLiteral("news:");
    case Telnet: return QStringLiteral("telnet:");
    case Wais: return QStringLiteral("wais:");
    }
    return QString();
}

void LinkLabel::setText(const QString& text)
{
    m_text = text;
    updateShortcut();
    adjustSizeToText();
    update();
}

void LinkLabel::setLinkColor(const QColor& color) { m_linkColor = color; }

void LinkLabel::setShadowColor(const QColor& color)
{
    m_shadowColor = color;
    update();
}

void LinkLabel::setShadowSize(int size)
{
    m_shadowSize = qMax(0, size);
    update();
}

void LinkLabel::setShadowPos(ShadowPosition pos)
{
    m_shadowPos = pos;
    update();
}

void LinkLabel::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void LinkLabel::setShowFocus(bool on)
{
    m_showFocus = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
    update();
}

void LinkLabel::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void LinkLabel::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void LinkLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void LinkLabel::setLayout(TextLayout layout)
{
    m_layout = layout;
    update();
}

void LinkLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    adjustSizeToText();
}

void LinkLabel::setWordWrap(bool on)
{
    m_wordWrap = on;
    adjustSizeToText();
    update();
}

void LinkLabel::setShowAccelChar(bool on)
{
    m_showAccelChar = on;
    updateShortcut();
    adjustSizeToText();
    update();
}

void LinkLabel::setFocusControl(QWidget* control)
{
    m_focusControl = control;
    updateShortcut();
}

QString LinkLabel::target() const
{
    return m_urlTypeAdd ? prefixOf(m_urlType) + m_text : m_text;
}

void LinkLabel::click()
{
    emit clicked();
    if (!m_text.isEmpty() && m_urlEnabled && m_opener)
        m_opener(target());
    update();
}

int LinkLabel::textFlags() const
{
    int flags = static_cast<int>(m_alignment) | Qt::AlignTop;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize LinkLabel::measuredText() const
{
    // An empty caption, or a lone accelerator mark, still takes the height of one line.
    QString shown = m_text;
    if (shown.isEmpty() || (m_showAccelChar && shown == QLatin1String("&")))
        shown = QStringLiteral(" ");
    const QFontMetrics metrics(font());
    const int width = m_wordWrap ? qMax(1, this->width() - 2) : 1 << 20;
    return metrics.boundingRect(QRect(0, 0, width, 1 << 20), textFlags(), shown).size();
}

QSize LinkLabel::sizeHint() const
{
    const QSize text = measuredText();
    return QSize(text.width() + 2, text.height());
}

void LinkLabel::adjustSizeToText()
{
    if (!m_autoSize)
        return;
    const QSize wanted = sizeHint();
    QRect area = geometry();
    if (m_alignment & Qt::AlignRight)
        area.setLeft(area.right() + 1 - wanted.width());
    else
        area.setWidth(wanted.width());
    area.setHeight(wanted.height());
    setGeometry(area);
}

void LinkLabel::updateShortcut()
{
    delete m_shortcut;
    m_shortcut = nullptr;
    if (!m_showAccelChar || m_focusControl.isNull())
        return;
    const QKeySequence key = QKeySequence::mnemonic(m_text);
    if (key.isEmpty())
        return;
    m_shortcut = new QShortcut(key, window());
    connect(m_shortcut, &QShortcut::activated, this, [this] {
        if (m_focusControl)
            m_focusControl->setFocus(Qt::ShortcutFocusReason);
    });
}

void LinkLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), m_color);
    painter.setFont(font());

    QRect area = rect().adjusted(1, 0, -1, 0);
    if (m_layout != TextLayout::Top) {
        const QRect needed = painter.boundingRect(area, textFlags(), m_text);
        const int free = area.height() - needed.height();
        area.translate(0, m_layout == TextLayout::Center ? free / 2 : free);
    }

    QColor textColor = m_fontColor;
    QColor shadow = m_shadowColor;
    int size = m_shadowSize;
    ShadowPosition pos = m_shadowPos;
    if (!isEnabled()) {
        textColor = palette().color(QPalette::Disabled, QPalette::WindowText);
        shadow = palette().color(QPalette::Light);
        if (size == 0) {
            size = 1;
            pos = RightBottom;
        }
    }

    QPoint textOffset;
    QPoint shadowOffset;
    switch (pos) {
    case LeftTop: textOffset = QPoint(size, size); break;
    case LeftBottom: textOffset = QPoint(size, 0); shadowOffset = QPoint(0, size); break;
    case RightBottom: shadowOffset = QPoint(size, size); break;
    case RightTop: textOffset = QPoint(0, size); shadowOffset = QPoint(size, 0); break;
    }

    painter.setPen(shadow);
    painter.drawText(area.translated(shadowOffset), textFlags(), m_text);
    painter.setPen(textColor);
    painter.drawText(area.translated(textOffset), textFlags(), m_text);

    if (m_showFocus && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
    QWidget::mouseReleaseEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    m_savedFontColor = m_fontColor;
    m_fontColor = m_linkColor;
    update();
    QWidget::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    if (m_savedFontColor.isValid())
        m_fontColor = m_savedFontColor;
    m_savedFontColor = QColor();
    update();
    QWidget::leaveEvent(event);
}

void LinkLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        adjustSizeToText();
    QWidget::changeEvent(event);
}

}  // namespace vellumar
