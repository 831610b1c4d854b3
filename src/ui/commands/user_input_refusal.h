#pragma once
// Drops the user's input to every window while a long command lets pending events run, so
// that the window repaints but no other command starts inside it. One window may be left
// open to input: the small dialog that can cancel the command.

#include <QObject>

class QWidget;

namespace vellumar {

class UserInputRefusal : public QObject {
public:
    // Refuses input from construction to destruction, except to `allowed` and its children.
    explicit UserInputRefusal(const QWidget* allowed = nullptr);
    ~UserInputRefusal() override;
    UserInputRefusal(const UserInputRefusal&) = delete;
    UserInputRefusal& operator=(const UserInputRefusal&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QWidget* m_allowed;
};

}  // namespace vellumar
