#include "ui/action_icons.h"

#include <array>

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

namespace vellumar {

namespace {

struct StandardIcon {
    const char* action;
    QStyle::StandardPixmap pixmap;
};

// Several actions share a picture, as their commands are alike.
constexpr std::array<StandardIcon, 21> kStandardIcons = {{
    {"Act_NewHTMLDoc", QStyle::SP_FileIcon},
    {"Act_OpenSource", QStyle::SP_DialogOpenButton},
    {"Act_SaveSourceHTML", QStyle::SP_DialogSaveButton},
    {"Act_SaveSourceHTMLAs", QStyle::SP_DialogSaveButton},
    {"Act_Convert", QStyle::SP_MediaPlay},
    {"Act_ConvertTable", QStyle::SP_FileDialogDetailedView},
    {"Act_NewFB2Doc", QStyle::SP_FileIcon},
    {"Act_openFB2", QStyle::SP_DialogOpenButton},
    {"Act_SaveResult", QStyle::SP_DialogSaveButton},
    {"Act_SaveResultAs", QStyle::SP_DialogSaveButton},
    {"Act_SaveAndView", QStyle::SP_FileDialogContentsView},
    {"Act_Exit", QStyle::SP_DialogCloseButton},
    {"Act_LoadImage", QStyle::SP_DirOpenIcon},
    {"Act_CopyToClip1", QStyle::SP_FileLinkIcon},
    {"Act_ClearMemo1", QStyle::SP_DialogResetButton},
    {"Act_CopyToClip2", QStyle::SP_FileLinkIcon},
    {"Act_ClearMemo2", QStyle::SP_DialogResetButton},
    {"Act_openOptions", QStyle::SP_DialogOpenButton},
    {"Act_SaveOption", QStyle::SP_DialogSaveButton},
    {"Act_ShowHelpBox", QStyle::SP_DialogHelpButton},
    {"Act_Replace", QStyle::SP_BrowserReload},
}};

struct Badge {
    const char* action;
    const char* text;
    QFont::Style style;
    bool bold;
};

constexpr std::array<Badge, 10> kBadges = {{
    {"Act_p", "p", QFont::StyleNormal, false},
    {"Act_Epigraph", "ep", QFont::StyleNormal, false},
    {"Act_Cite", "ci", QFont::StyleNormal, false},
    {"Act_Author", "au", QFont::StyleNormal, false},
    {"Act_poem", "po", QFont::StyleNormal, false},
    {"Act_stanza", "st", QFont::StyleNormal, false},
    {"Act_v", "v", QFont::StyleNormal, false},
    {"Act_strong", "B", QFont::StyleNormal, true},
    {"Act_emphasis", "I", QFont::StyleItalic, true},
    {"Act_EmptyLine", "\xe2\x86\xb5", QFont::StyleNormal, false},
}};

// A rounded tag-like badge with a short text, drawn at two sizes for sharp tool-bar buttons.
QIcon badgeIcon(const Badge& badge)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF frame(0.5, size * 0.15 + 0.5, size - 1.0, size * 0.7);
        painter.setPen(QPen(QColor(40, 70, 140), 1));
        painter.setBrush(QColor(225, 235, 250));
        painter.drawRoundedRect(frame, size * 0.15, size * 0.15);
        QFont font = painter.font();
        font.setPixelSize(static_cast<int>(size * 0.55));
        font.setBold(badge.bold);
        font.setStyle(badge.style);
        painter.setFont(font);
        painter.setPen(QColor(20, 40, 110));
        painter.drawText(frame, Qt::AlignCenter, QString::fromUtf8(badge.text));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A magnifying glass: a lens and a handle.
QIcon magnifierIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        painter.setPen(QPen(QColor(60, 60, 70), 2.2 * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(10 * unit, 10 * unit), QPointF(14.5 * unit, 14.5 * unit));
        painter.setPen(QPen(QColor(40, 70, 140), 1.6 * unit));
        painter.setBrush(QColor(215, 230, 250));
        painter.drawEllipse(QPointF(6.5 * unit, 6.5 * unit), 4.8 * unit, 4.8 * unit);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

void assignActionIcons(QWidget& owner)
{
    QStyle* style = owner.style();
    for (const StandardIcon& entry : kStandardIcons) {
        if (auto* action = owner.findChild<QAction*>(QString::fromLatin1(entry.action)))
            action->setIcon(style->standardIcon(entry.pixmap, nullptr, &owner));
    }
    for (const char* name : {"Act_Find", "Act_FindNext"}) {
        if (auto* action = owner.findChild<QAction*>(QString::fromLatin1(name))) action->setIcon(magnifierIcon());
    }
    for (const Badge& badge : kBadges) {
        if (auto* action = owner.findChild<QAction*>(QString::fromLatin1(badge.action)))
            action->setIcon(badgeIcon(badge));
    }
}

}  // namespace vellumar
