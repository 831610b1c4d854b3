#include "ui/actions/action_hint.h"

#include <QAction>
#include <QString>

namespace vellumar {

namespace {

constexpr const char* kHintProperty = "Hint";

}  // namespace

void setActionHint(QAction& action, const QString& hint)
{
    action.setProperty(kHintProperty, hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString shortHint = bar < 0 ? hint : hint.left(bar);
    const QString longHint = bar < 0 ? hint : hint.mid(bar + 1);
    // Tips are rich text when they look like markup; a caption such as "<p>...</p>" must show as
    // it is written.
    action.setToolTip(shortHint.isEmpty()
                          ? QString()
                          : QStringLiteral("<p style='white-space:pre'>%1</p>").arg(shortHint.toHtmlEscaped()));
    action.setStatusTip(longHint);
}

QString actionHint(const QAction& action)
{
    return action.property(kHintProperty).toString();
}

}  // namespace vellumar
