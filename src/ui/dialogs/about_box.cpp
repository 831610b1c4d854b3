#include "ui/dialogs/about_box.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

#include "ui/editor/editor_colours.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/escape_button.h"
#include "ui/widgets/link_label.h"
#include "ui/window/program_icon.h"

namespace vellumar {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    setModal(true);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    // A raised panel inside a sunken edge: the bevel of the classic about box.
    m_panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(8, 8, 281, 161);

    auto* icon = new QLabel(m_panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(24, 24, 33, 33);
    icon->setScaledContents(true);
    icon->setPixmap(vellumar::programIcon().pixmap(256, 256));

    const QLabel* captions[] = {
        makeLabel(m_panel, "ProductName", QStringLiteral("Product Name:"), 80, 16),
        makeLabel(m_panel, "Version", QStringLiteral("Version:"), 80, 40),
        makeLabel(m_panel, "Copyright", QStringLiteral("Copyright:"), 80, 88),
    };
    // The values stand at 168 pixels unless a wide font pushes the captions beyond that.
    int valueLeft = 168;
    for (const QLabel* caption : captions)
        valueLeft = qMax(valueLeft, caption->geometry().right() + 9);
    auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); };
    makeLabel(m_panel, "Label1", text(vellumar::kProgramName), valueLeft, 16);
    makeLabel(m_panel, "Label2", text(vellumar::kProgramVersion), valueLeft, 40);
    makeLabel(m_panel, "Label3", text(vellumar::kProgramAuthor), valueLeft, 88);

    m_link = new LinkLabel(m_panel);
    m_link->setObjectName(QStringLiteral("ASLink1"));
    m_link->move(80, 112);
    m_link->setUrlType(LinkLabel::Http);
    m_link->setShadowSize(0);
    m_link->setShadowColor(palette().color(QPalette::Window));
    // It looks like a link: underlined, in the desktop's link colour, another shade under the
    // mouse.
    const QColor link = palette().color(QPalette::Link);
    m_link->setFontColor(link);
    m_link->setLinkColor(isDarkPalette(palette()) ? link.lighter(150) : link.darker(170));
    QFont underlined = m_link->font();
    underlined.setUnderline(true);
    m_link->setFont(underlined);
    m_link->setTransparent(true);
    m_link->setText(text(vellumar::kProgramWebHost));

    m_okButton = new ColorButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(96, 180, 97, 25);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEscape(*event, *m_okButton)) QDialog::keyPressEvent(event);
}

}  // namespace vellumar
