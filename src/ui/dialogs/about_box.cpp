#include "ui/dialogs/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/editor/editor_colours.h"
#include "ui/widgets/color_button.h"
#include "ui/widgets/escape_button.h"
#include "ui/widgets/link_label.h"
#include "ui/window/program_icon.h"

namespace vellumar {

namespace {

// The classic about box's size and its OK button's, kept as minimums: a larger desktop font
// makes them grow rather than cut the texts.
// The panel and the gaps around it make up the box: 8 + 282 + 8 wide, 8 + 161 + 11 + 25 + 8
// high.
constexpr QSize kMinimumPanelSize(282, 161);
constexpr QSize kMinimumButtonSize(97, 25);
constexpr int kMargin = 8;
constexpr int kButtonGap = 11;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    // A raised panel inside a sunken edge: the bevel of the classic about box.
    m_panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    m_panel->setMinimumSize(kMinimumPanelSize);

    auto* icon = new QLabel(m_panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setFixedSize(33, 33);
    icon->setScaledContents(true);
    icon->setPixmap(vellumar::programIcon().pixmap(256, 256));

    auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); };
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(12);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(makeLabel(m_panel, "ProductName", QStringLiteral("Product Name:")), 0, 1);
    grid->addWidget(makeLabel(m_panel, "Label1", text(vellumar::kProgramName)), 0, 2);
    grid->addWidget(makeLabel(m_panel, "Version", QStringLiteral("Version:")), 1, 1);
    grid->addWidget(makeLabel(m_panel, "Label2", text(vellumar::kProgramVersion)), 1, 2);
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(makeLabel(m_panel, "Copyright", QStringLiteral("Copyright:")), 3, 1);
    grid->addWidget(makeLabel(m_panel, "Label3", text(vellumar::kProgramAuthor)), 3, 2);

    m_link = new LinkLabel(m_panel);
    m_link->setObjectName(QStringLiteral("ASLink1"));
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
    grid->addWidget(m_link, 4, 1, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);

    m_okButton = new ColorButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setMinimumSize(kMinimumButtonSize);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kButtonGap);
    layout->addWidget(m_panel, 1);
    layout->addWidget(m_okButton, 0, Qt::AlignHCenter);
    // Not resizable, as before, but as large as the texts need, also after a language file
    // changed them.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEscape(*event, *m_okButton)) QDialog::keyPressEvent(event);
}

}  // namespace vellumar
