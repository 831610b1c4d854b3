#pragma once
// The main window's named actions: every user command, with its caption, hint and shortcut.
// Tool bars and menus show these actions; shortcuts work from the action table itself, so an
// action's shortcut works also where no menu shows it.

#include <span>
#include <string_view>

class QAction;
class QString;
class QWidget;

namespace vellumar {

struct ActionDefinition {
    std::string_view name;
    std::string_view caption;
    // "short|long" or a plain text; the caption when `hintIsCaption`, nothing when empty.
    std::string_view hint;
    std::string_view shortcut;  // QKeySequence text, empty for none
    bool hintIsCaption = true;
};

// Every action of the main window, in the order of the action table.
std::span<const ActionDefinition> actionDefinitions();

// Creates the actions as children of `owner` (objectName = action name) and adds them to it, so
// that their shortcuts work anywhere in the owner's window.
void createActions(QWidget& owner);

// An action's hint: the short part (before "|") is the tool-bar tip, the long part (after "|",
// or the whole hint when there is no bar) the status tip. The hint is shown as plain text, so
// "<p>...</p>" stays readable.
void setActionHint(QAction& action, const QString& hint);
QString actionHint(const QAction& action);

}  // namespace vellumar
