#pragma once
// The pictures of the actions on tool bars and in menus. File commands use the style's standard
// pictures; the FB2 tag commands get small drawn badges naming their element; Find, Search
// Again, Replace and Check FB2 have drawn pictures of their own. The drawn ones are drawn for
// the owner's palette (light lines on a dark tool bar): draw them again when the palette changes.

#include <string_view>

#include <QIcon>
#include <QStyle>

class QWidget;

namespace vellumar {

// The pictures drawn here rather than taken from the style.
enum class DrawnPicture { Find, FindNext, Replace, Check };

// What an action shows as its picture; an action row names one.
struct ActionIcon {
    enum class Kind { None, Standard, Drawn, Badge };
    Kind kind = Kind::None;
    QStyle::StandardPixmap standard = QStyle::SP_CustomBase;
    DrawnPicture drawn = DrawnPicture::Find;
    std::string_view badgeText = {};  // UTF-8
    bool bold = false;
    bool italic = false;
};

// Several actions share a standard picture, as their commands are alike.
constexpr ActionIcon standardIcon(QStyle::StandardPixmap pixmap)
{
    return {ActionIcon::Kind::Standard, pixmap};
}
constexpr ActionIcon drawnIcon(DrawnPicture picture)
{
    return {ActionIcon::Kind::Drawn, QStyle::SP_CustomBase, picture};
}
// A rounded tag-like badge with a short text, such as "ci" for <cite>.
constexpr ActionIcon badgeIcon(std::string_view text, bool bold = false, bool italic = false)
{
    return {ActionIcon::Kind::Badge, QStyle::SP_CustomBase, DrawnPicture::Find, text, bold, italic};
}

// The picture for `icon` in `owner`'s style and palette; a null icon for none.
QIcon iconFor(const ActionIcon& icon, const QWidget& owner);

}  // namespace vellumar
