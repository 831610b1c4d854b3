// The child process runner ends the program and everything it started, however the wait ends.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
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

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    return text;
}

// What the program sees of its limits and its network.
TEST_F(ChildProcess, MemoryLimitAndNetworkReachTheProgram)
{
    if (!vellumar::testing::networkOfItsOwnPossible()) GTEST_SKIP() << "no network namespaces here";
    const struct {
        const char* name;
        bool withoutNetwork;
        std::size_t memoryLimit;
        const char* output;
    } cases[] = {
        {"as it was", false, 0, "unlimited reached"},
        {"cut off", true, std::size_t{3} << 30, "3145728 unreachable"},
    };
    // A listener on the loopback, reached from the system's network only.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vellumar::ChildProcessRun r = run("printf '%s ' \"$(ulimit -v)\"; (exec 3<>/dev/tcp/127.0.0.1/" + port +
                                          ") 2>/dev/null && printf reached || printf unreachable");
        r.arguments[0] = "/bin/bash";
        r.withoutNetwork = c.withoutNetwork;
        r.memoryLimit = c.memoryLimit;
        EXPECT_EQ(vellumar::runChildProcess(r).exitStatus, 0);
        EXPECT_EQ(fileText(m_folder.file("out")), c.output);
    }
    ::close(listener);
}

// A converter killed outright (SIGKILL, no handler runs) takes the program and its helpers
// with it.
TEST_F(ChildProcess, TheGroupEndsWhenTheCallerIsKilled)
{
    const pid_t caller = ::fork();
    if (caller == 0) {
        vellumar::runChildProcess(run(kLingering));
        ::_exit(0);
    }
    // Once the program runs, the caller is killed.
    while (!vellumar::testing::processWithEnvironmentAlive(m_marker)) {
    }
    ::kill(caller, SIGKILL);
    int status = 0;
    ::waitpid(caller, &status, 0);
    EXPECT_FALSE(vellumar::testing::processWithEnvironmentAlive(m_marker));
}

}  // namespace
