#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>

#include <functional>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "desktop_fonts.h"
#include "ui/dialogs/about_box.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/link_label.h"

namespace vellumar {
namespace {

TEST(LinkLabel, TargetCarriesTheTypePrefix)
{
    struct Case {
        LinkLabel::UrlType type;
        const char* prefix;
    };
    const Case cases[] = {
        {LinkLabel::File, "file://"},   {LinkLabel::Ftp, "ftp://"},     {LinkLabel::Gopher, "gopher://"},
        {LinkLabel::Http, "http://"},   {LinkLabel::Https, "https://"}, {LinkLabel::Mailto, "mailto:"},
        {LinkLabel::News, "news:"},     {LinkLabel::Telnet, "telnet:"}, {LinkLabel::Wais, "wais:"},
    };
    LinkLabel link;
    link.setText("host/x");
    for (const Case& c : cases) {
        link.setUrlType(c.type);
        EXPECT_EQ(link.target(), QString(c.prefix) + "host/x");
    }
    link.setUrlTypeAdd(false);
    EXPECT_EQ(link.target(), "host/x");
}

TEST(LinkLabel, DefaultsOfANewLabel)
{
    LinkLabel link;
    EXPECT_EQ(link.size(), QSize(65, 17));
    EXPECT_EQ(link.urlType(), LinkLabel::Mailto);
    EXPECT_TRUE(link.urlTypeAdd());
    EXPECT_TRUE(link.urlEnabled());
    EXPECT_TRUE(link.transparent());
    EXPECT_TRUE(link.autoSize());
    EXPECT_TRUE(link.showAccelChar());
    EXPECT_EQ(link.shadowSize(), 1);
    EXPECT_EQ(link.shadowPos(), LinkLabel::LeftTop);
    EXPECT_EQ(link.linkColor(), QColor(Qt::blue));
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabel, ClickOpensOnlyWithCaptionAndEnabledUrl)
{
    struct Case {
        const char* caption;
        bool urlEnabled;
        bool opens;
    };
    const Case cases[] = {{"a@b.org", true, true}, {"a@b.org", false, false}, {"", true, false}};
    for (const Case& c : cases) {
        LinkLabel link;
        link.setText(c.caption);
        link.setUrlEnabled(c.urlEnabled);
        QStringList opened;
        link.setOpener([&](const QString& target) { opened << target; });
        QSignalSpy clicks(&link, &LinkLabel::clicked);
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(clicks.size(), 1) << "the own click event always runs";
        EXPECT_EQ(opened.size(), c.opens ? 1 : 0) << c.caption << c.urlEnabled;
        if (c.opens) {
            EXPECT_EQ(opened.value(0), QString("mailto:") + c.caption);
        }
    }
}

TEST(LinkLabel, HoverShowsTheLinkColourAndLeavingRestoresTheFontColour)
{
    LinkLabel link;
    link.setText("x");
    link.setFontColor(Qt::darkGreen);
    link.setLinkColor(Qt::magenta);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.fontColor(), QColor(Qt::magenta));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_EQ(link.fontColor(), QColor(Qt::darkGreen));
}

TEST(LinkLabel, ReleaseOutsideTheLabelOpensNothing)
{
    LinkLabel link;
    link.setText("a@b.org");
    int opened = 0;
    link.setOpener([&](const QString&) { ++opened; });
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(link.width() + 20, 2));
    EXPECT_EQ(opened, 0);
}

TEST(LinkLabel, AutoSizeFollowsTheCaptionAndKeepsTheRightEdgeWhenRightAligned)
{
    QWidget parent;
    LinkLabel left(&parent);
    left.move(10, 10);
    left.setText("a much longer caption than before");
    const QFontMetrics metrics(left.font());
    EXPECT_NEAR(left.width(), metrics.horizontalAdvance("a much longer caption than before") + 2, 1);
    EXPECT_EQ(left.x(), 10);

    LinkLabel right(&parent);
    right.setAlignment(Qt::AlignRight);
    right.setGeometry(100, 40, 65, 17);
    const int rightEdge = right.geometry().right();
    right.setText("wide wide wide wide");
    EXPECT_EQ(right.geometry().right(), rightEdge);
    EXPECT_GT(right.width(), 65);

    LinkLabel empty(&parent);
    empty.setText("");
    EXPECT_GT(empty.height(), 0);
    EXPECT_NEAR(empty.width(), metrics.horizontalAdvance(' ') + 2, 1);
}

// The first column, and the first row, holding a pixel that `inked` accepts; -1 when none.
QPoint firstInk(const QImage& image, const std::function<bool(QColor)>& inked)
{
    QPoint first(-1, -1);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            if (!inked(image.pixelColor(x, y)))
                continue;
            if (first.x() < 0)
                first.setX(x);
            if (first.y() < 0 || y < first.y())
                first.setY(y);
        }
    return first;
}

TEST(LinkLabel, ShadowIsDrawnWhereItsPositionSays)
{
    struct Case {
        LinkLabel::ShadowPosition pos;
        int dx, dy;  // shadow position minus text position
    };
    const Case cases[] = {{LinkLabel::LeftTop, -3, -3},
                          {LinkLabel::LeftBottom, -3, 3},
                          {LinkLabel::RightBottom, 3, 3},
                          {LinkLabel::RightTop, 3, -3}};
    for (const Case& c : cases) {
        // Two labels with the same caption: one drawing only the text, one only the shadow.
        auto draw = [&](QColor text, QColor shadow) {
            LinkLabel link;
            link.setTransparent(false);
            link.setColor(Qt::white);
            link.setText("I");
            link.setShadowSize(3);
            link.setShadowPos(c.pos);
            link.resize(40, 40);
            link.setFontColor(text);
            link.setShadowColor(shadow);
            return link.grab().toImage();
        };
        const QPoint text = firstInk(draw(Qt::black, Qt::white), [](QColor p) { return p.lightness() < 128; });
        const QPoint shadow =
            firstInk(draw(Qt::white, Qt::red), [](QColor p) { return p.red() > 150 && p.green() < 128; });
        ASSERT_GE(text.x(), 0);
        ASSERT_GE(shadow.x(), 0);
        EXPECT_EQ(shadow - text, QPoint(c.dx, c.dy)) << c.pos;
    }
}

TEST(ColorButton, DoubleClickCountsAsTwoPresses)
{
    ColorButton button("&Ok");
    button.resize(80, 25);
    button.show();
    QSignalSpy clicks(&button, &QPushButton::clicked);
    // What the window system sends for a double click: press, release, double click, release.
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 2);
}

TEST(ColorButton, FaceHasTheButtonsColour)
{
    ColorButton button("x");
    button.resize(80, 25);
    button.setColor(QColor(10, 200, 30));
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(6, 12), QColor(10, 200, 30));
    button.setEnabled(false);
    EXPECT_EQ(button.grab().toImage().pixelColor(6, 12), QColor(10, 200, 30));
}

TEST(AboutBox, ShowsNameVersionAndAnHttpLink)
{
    AboutBox box;
    EXPECT_EQ(box.objectName(), "AboutBox");
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(298, 213));
    struct Named {
        const char* name;
        QString caption;
    };
    for (const Named& n : {Named{"ProductName", "Product Name:"}, Named{"Label1", "Vellumar"},
                           Named{"Version", "Version:"}, Named{"Label2", "1.0.14 beta"},
                           Named{"Copyright", "Copyright:"}, Named{"Label3", QString::fromUtf8(vellumar::kProgramAuthor.data())}}) {
        auto* label = box.findChild<QLabel*>(n.name);
        ASSERT_NE(label, nullptr) << n.name;
        EXPECT_EQ(label->text(), n.caption);
    }
    auto* icon = box.findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull()) << "the icon resource is linked in";
    auto* ok = box.findChild<ColorButton*>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->size(), QSize(97, 25));
    EXPECT_NEAR(ok->geometry().center().x(), box.width() / 2, 1) << "centred under the panel";

    auto* link = box.findChild<LinkLabel*>("ASLink1");
    ASSERT_NE(link, nullptr);
    QStringList opened;
    link->setOpener([&](const QString& target) { opened << target; });
    link->click();
    EXPECT_EQ(opened, QStringList{QString::fromUtf8(vellumar::kProgramWebAddress.data())});
}

// With a large desktop font the box grows with its texts instead of cutting them; the classic
// size stays the least.
TEST(AboutBox, GrowsWithTheFontAndCutsNoText)
{
    testing::forEachDesktopFontSize([] {
        AboutBox box;
        box.show();
        EXPECT_GE(box.width(), 298);
        EXPECT_GE(box.height(), 213);
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
            EXPECT_GE(label->height(), label->sizeHint().height()) << label->objectName().toStdString();
            EXPECT_TRUE(box.rect().contains(QRect(label->mapTo(&box, QPoint()), label->size())))
                << label->objectName().toStdString();
        }
        auto* link = box.findChild<LinkLabel*>("ASLink1");
        EXPECT_GE(link->width(), link->sizeHint().width());
    });
}

TEST(AboutBox, EscClosesWithOk)
{
    AboutBox box;
    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace vellumar
