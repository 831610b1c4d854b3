#pragma once
// A request from outside to end the program (SIGTERM, as a desktop session sends when it ends),
// turned into a Qt signal on the event loop, so that the window can close as if the user closed
// it: the settings are saved and unsaved work is asked about.

#include <signal.h>

#include <QObject>

class QSocketNotifier;

namespace vellumar {

class TerminationRequest : public QObject {
    Q_OBJECT

public:
    // Takes SIGTERM over until destroyed; the previous handling is then restored. One at a time.
    explicit TerminationRequest(QObject* parent = nullptr);
    ~TerminationRequest() override;

signals:
    // SIGTERM arrived (once for any number of signals that arrived together).
    void requested();

private:
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_previous {};
    bool m_installed = false;
};

}  // namespace vellumar
