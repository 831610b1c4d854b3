#pragma once
// The texts of the program's windows as language files hold them: section = the window's object
// name, key = the window's own name for its caption, or a component's object name.
//
// The components that take part are chosen by their exact class: check boxes, radio buttons,
// group boxes, labels, the dialogs' colour buttons, the tab pages of a tab widget, the window's
// actions (the standard edit actions among them), the menus of the menu bar and the menu items
// that are not bound to an action. Derived classes, unnamed objects and Qt's own parts do not.
// Labels that show a picture, and the about box's labels that show the program's name, version
// and author, are facts of the program rather than texts, and keep what they show; so do hidden
// labels that keep a setting (marked with kKeepsSettingProperty), such as the path of the
// "Other:" language file.

#include <QList>

class QWidget;

namespace vellumar {

class IniFile;

class MainWindow;

// A label with this property set to true keeps a setting, not a text of a language file.
inline constexpr const char* kKeepsSettingProperty = "keepsSetting";

// The program's windows in the order of the language files: the main window, then the dialogs it
// was handed (those left null are skipped).
QList<QWidget*> programWindows(MainWindow& mainWindow);

// Sets every text for which `file` holds a key; a missing key leaves the text as it is. Every
// component that gets a caption this way, apart from windows, radio buttons and labels, gets the
// same text as its hint (an action's tool-bar tip and status tip).
void applyLanguageTexts(const IniFile& file, const QList<QWidget*>& windows);

// Writes the texts shown now, of every component that takes part, into `file`. Menu items bound
// to an action are left out, since they show the action's text.
void writeLanguageTexts(IniFile& file, const QList<QWidget*>& windows);

}  // namespace vellumar
