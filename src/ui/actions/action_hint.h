#pragma once
// The hint of an action, as the language files hold it: one text for the tool-bar tip and the
// status tip.

class QAction;
class QString;

namespace vellumar {

// An action's hint: the short part (before "|") is the tool-bar tip, the long part (after "|",
// or the whole hint when there is no bar) the status tip. The hint is shown as plain text, so
// "<p>...</p>" stays readable.
void setActionHint(QAction& action, const QString& hint);
QString actionHint(const QAction& action);

}  // namespace vellumar
