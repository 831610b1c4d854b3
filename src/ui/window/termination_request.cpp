#include "ui/window/termination_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <QSocketNotifier>

namespace vellumar {

namespace {

// The handler may only do what is safe in a signal handler: it writes a byte into a pipe whose
// other end the event loop watches.
int g_pipe[2] = {-1, -1};

void onTerminate(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

TerminationRequest::TerminationRequest(QObject* parent) : QObject(parent)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[64];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = ::sigaction(SIGTERM, &action, &m_previous) == 0;
}

TerminationRequest::~TerminationRequest()
{
    if (m_installed) ::sigaction(SIGTERM, &m_previous, nullptr);
    delete m_notifier;
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace vellumar
