#pragma once
// A hyperlink label: a caption drawn with a shadow that opens a web address, mail address or file
// with the desktop's default handler when clicked. The address is the caption, with the prefix of
// the link type in front when URLTypeAdd is on ("http://" for Http, "mailto:" for Mailto...).

#include <functional>

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

class QShortcut;

namespace vellumar {

class LinkLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ text WRITE setText)
    Q_PROPERTY(UrlType URLType READ urlType WRITE setUrlType)
    Q_PROPERTY(bool URLTypeAdd READ urlTypeAdd WRITE setUrlTypeAdd)
    Q_PROPERTY(bool URLEnabled READ urlEnabled WRITE setUrlEnabled)
    Q_PROPERTY(QColor LinkColor READ linkColor WRITE setLinkColor)
    Q_PROPERTY(QColor ShadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(int ShadowSize READ shadowSize WRITE setShadowSize)
    Q_PROPERTY(ShadowPosition ShadowPos READ shadowPos WRITE setShadowPos)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool ShowFocus READ showFocus WRITE setShowFocus)

public:
    enum UrlType { File, Ftp, Gopher, Http, Https, Mailto, News, Telnet, Wais };
    Q_ENUM(UrlType)
    enum ShadowPosition { LeftTop, LeftBottom, RightBottom, RightTop };
    Q_ENUM(ShadowPosition)
    enum class TextLayout { Top, Center, Bottom };

    explicit LinkLabel(QWidget* parent = nullptr);

    // The prefix that a link type puts in front of the caption.
    static QString prefixOf(UrlType type);

    QString text() const { return m_text; }
    void setText(const QString& text);

    UrlType urlType() const { return m_urlType; }
    void setUrlType(UrlType type) { m_urlType = type; }
    bool urlTypeAdd() const { return m_urlTypeAdd; }
    void setUrlTypeAdd(bool on) { m_urlTypeAdd = on; }
    bool urlEnabled() const { return m_urlEnabled; }
    void setUrlEnabled(bool on) { m_urlEnabled = on; }

    QColor linkColor() const { return m_linkColor; }
    void setLinkColor(const QColor& color);
    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& color);
    int shadowSize() const { return m_shadowSize; }
    void setShadowSize(int size);
    ShadowPosition shadowPos() const { return m_shadowPos; }
    void setShadowPos(ShadowPosition pos);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool showFocus() const { return m_showFocus; }
    void setShowFocus(bool on);

    // The colour of the caption when the mouse is elsewhere (black until set).
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);
    // The background colour used when the label is not transparent.
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    TextLayout layout() const { return m_layout; }
    void setLayout(TextLayout layout);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    // The control that gets the focus when the caption's accelerator key is pressed.
    QWidget* focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget* control);

    // What a click opens: the caption, with the type's prefix in front when URLTypeAdd is on.
    QString target() const;
    // Opens targets; the desktop's default handler until replaced (tests replace it).
    void setOpener(std::function<void(const QString&)> opener) { m_opener = std::move(opener); }

    // What a click does: the clicked() signal, then the link is opened when the caption is not
    // empty and URLEnabled is on. The outcome of opening is not reported.
    void click();

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int textFlags() const;
    QSize measuredText() const;
    void adjustSizeToText();
    void updateShortcut();

    QString m_text;
    UrlType m_urlType = Mailto;
    bool m_urlTypeAdd = true;
    bool m_urlEnabled = true;
    QColor m_linkColor = Qt::blue;
    QColor m_shadowColor;
    int m_shadowSize = 1;
    ShadowPosition m_shadowPos = LeftTop;
    bool m_transparent = true;
    bool m_showFocus = false;
    QColor m_fontColor = Qt::black;
    QColor m_savedFontColor;
    QColor m_color;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    TextLayout m_layout = TextLayout::Top;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    QPointer<QWidget> m_focusControl;
    QShortcut* m_shortcut = nullptr;
    std::function<void(const QString&)> m_opener;
};

}  // namespace vellumar
