// The child process runner ends the program and everything it started, however the wait ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "files/temp_folder.h"
#include "office/child_process.h"
#include "support/process_check.h"

namespace {

using namespace std::chrono_literals;
using vellumar::ChildProcessEnd;

class ChildProcess : public ::testing::Test {
protected:
    vellumar::ChildProcessRun run(const std::string& script)
    {
        vellumar::ChildProcessRun r;
        r.arguments = {"/bin/sh", "-c", script};
        r.environment = {m_marker};
        r.stdoutFile = m_folder.file("out");
        r.stderrFile = m_folder.file("err");
        return r;
    }

    vellumar::TempFolder m_folder;
    const std::string m_marker = "VELLUMAR_CHILD_TEST=" + std::to_string(::getpid());
};

TEST_F(ChildProcess, ExitStatusAndOutputFiles)
{
    const vellumar::ChildProcessResult r = vellumar::runChildProcess(run("echo out; echo \"$VELLUMAR_CHILD_TEST\" >&2; exit 3"));
    EXPECT_EQ(r.end, ChildProcessEnd::Exited);
    EXPECT_EQ(r.exitStatus, 3);
    std::ifstream err(m_folder.file("err"));
    std::string line;
    std::getline(err, line);
    EXPECT_EQ("VELLUMAR_CHILD_TEST=" + line, m_marker);
}

// A program that starts a helper and both outlive any reasonable wait.
constexpr const char* kLingering = "sleep 30 & sleep 30";

TEST_F(ChildProcess, TimeLimitAndStopEndTheWholeGroup)
{
    int calls = 0;
    const struct {
        const char* name;
        std::chrono::milliseconds limit;
        std::function<bool()> keepWaiting;
        ChildProcessEnd end;
    } cases[] = {
        {"time limit", 200ms, nullptr, ChildProcessEnd::TimeLimit},
        {"stopped", 60'000ms, [&calls] { return ++calls < 5; }, ChildProcessEnd::Stopped},
    };
    for (const auto& c : cases) {
        vellumar::ChildProcessRun r = run(kLingering);
        r.timeLimit = c.limit;
        r.keepWaiting = c.keepWaiting;
        EXPECT_EQ(vellumar::runChildProcess(r).end, c.end) << c.name;
        EXPECT_FALSE(vellumar::testing::processWithEnvironmentAlive(m_marker)) << c.name;
    }
}

TEST_F(ChildProcess, AnExceptionWhileWaitingEndsTheGroupToo)
{
    vellumar::ChildProcessRun r = run(kLingering);
    r.keepWaiting = []() -> bool { throw std::runtime_error("window closed"); };
    EXPECT_THROW(vellumar::runChildProcess(r), std::runtime_error);
    EXPECT_FALSE(vellumar::testing::processWithEnvironmentAlive(m_marker));
}

TEST_F(ChildProcess, AMissingProgramThrows)
{
    vellumar::ChildProcessRun r = run("");
    r.arguments = {m_folder.file("no-such-program").string()};
    EXPECT_THROW(vellumar::runChildProcess(r), std::runtime_error);
}

}  // namespace
