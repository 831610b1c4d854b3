// SIGTERM to the window program becomes a request on the event loop, and the previous handling
// of the signal comes back afterwards.

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "ui/window/termination_request.h"

namespace {

// Runs the event loop until `done` or two seconds have passed.
template <typename Condition>
void processEventsUntil(Condition done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(TerminationRequest, SigtermIsARequestAndThePreviousHandlingComesBack)
{
    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    int requests = 0;
    {
        const vellumar::TerminationRequest termination;
        QObject::connect(&termination, &vellumar::TerminationRequest::requested, [&] { ++requests; });
        for (int round = 1; round <= 2; ++round) {
            ASSERT_EQ(::raise(SIGTERM), 0);
            processEventsUntil([&] { return requests == round; });
            EXPECT_EQ(requests, round);
        }
    }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
