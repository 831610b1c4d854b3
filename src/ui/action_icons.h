#pragma once
// The pictures of the actions on tool bars and in menus. File commands use the style's standard
// pictures; the FB2 tag commands get small drawn badges naming their element; Find, Search
// Again, Replace and Check FB2 have drawn pictures of their own. The drawn ones are drawn for
// the owner's palette (light lines on a dark tool bar): call again when the palette changes.

class QWidget;

namespace vellumar {

// Gives every action among `owner`'s children that has a picture its icon.
void assignActionIcons(QWidget& owner);

}  // namespace vellumar
