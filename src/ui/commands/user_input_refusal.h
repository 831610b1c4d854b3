#pragma once
// Drops the user's input to every window while a long command lets pending events run, so
// that the window repaints but no other command starts inside it.

#include <QObject>

namespace vellumar {

class UserInputRefusal : public QObject {
public:
    // Refuses input from construction to destruction.
    UserInputRefusal();
    ~UserInputRefusal() override;
    UserInputRefusal(const UserInputRefusal&) = delete;
    UserInputRefusal& operator=(const UserInputRefusal&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vellumar
