#include "ui/widgets/radio_group_focus.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>

namespace vellumar {

namespace {

// Only the button that Tab should reach takes Tab focus; the others take focus by click (and by
// the arrow keys, which move between the buttons of an exclusive group whatever their policy).
void updateTabStops(const QButtonGroup& group)
{
    QAbstractButton* stop = group.checkedButton();
    if (!stop || !stop->isEnabled()) {
        stop = nullptr;
        for (QAbstractButton* button : group.buttons()) {
            if (button->isEnabled()) {
                stop = button;
                break;
            }
        }
    }
    for (QAbstractButton* button : group.buttons())
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Enabling or disabling a button (the "Russian" choice without its file) can move the tab stop.
class EnabledWatcher : public QObject {
public:
    explicit EnabledWatcher(QButtonGroup& group) : QObject(&group), m_group(group) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange) updateTabStops(m_group);
        return QObject::eventFilter(watched, event);
    }

private:
    QButtonGroup& m_group;
};

}  // namespace

void enterGroupAtCheckedButton(QButtonGroup& group)
{
    updateTabStops(group);
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group, [&group] { updateTabStops(group); });
    auto* watcher = new EnabledWatcher(group);
    for (QAbstractButton* button : group.buttons()) button->installEventFilter(watcher);
}

}  // namespace vellumar
