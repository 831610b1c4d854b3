#include "office/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "files/interrupt_cleanup.h"

extern char** environ;

namespace vellumar {

namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& overrides)
{
    std::vector<std::string> merged;
    auto overridden = [&overrides](std::string_view entry) {
        const std::string_view name = entry.substr(0, entry.find('=') + 1);
        for (const std::string& o : overrides)
            if (std::string_view(o).starts_with(name)) return true;
        return false;
    };
    for (char** e = environ; e && *e; ++e)
        if (!overridden(*e)) merged.emplace_back(*e);
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char*> pointersOf(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& t : texts) pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Ends every process of the group. The leader is still unreaped (a zombie at most), so
// its id, which is the group's id, cannot have been given to another process.
void killGroup(pid_t pid) { ::kill(-pid, SIGKILL); }

int reap(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Whether the leader has ended, leaving it unreaped.
bool hasEnded(pid_t pid)
{
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) < 0) return errno != EINTR;
    return info.si_pid == pid;
}

class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&m_actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&m_actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

class SpawnAttributes {
public:
    SpawnAttributes() { posix_spawnattr_init(&m_attributes); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t* get() { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

}  // namespace

ChildProcessResult runChildProcess(const ChildProcessRun& run)
{
    if (run.arguments.empty()) throw std::invalid_argument("RunChildProcess: no program given");
    std::vector<std::string> arguments = run.arguments;
    std::vector<std::string> environment = mergedEnvironment(run.environment);
    const std::vector<char*> argv = pointersOf(arguments);
    const std::vector<char*> envp = pointersOf(environment);

    FileActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, run.stdoutFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, run.stderrFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // A group of its own: the time limit ends the program and everything it started, and
    // a Ctrl-C on the terminal reaches only this program, whose handler then kills the group.
    SpawnAttributes attributes;
    posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(attributes.get(), 0);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(attributes.get(), &signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(attributes.get(), &signals);

    // Started and registered with Ctrl-C held back: an interrupted run kills the group.
    pid_t pid = 0;
    std::optional<InterruptKill> killOnInterrupt;
    {
        const InterruptsHeldBack heldBack;
        const int error = posix_spawn(&pid, argv[0], actions.get(), attributes.get(), argv.data(), envp.data());
        if (error != 0) throw std::runtime_error("cannot start " + run.arguments[0] + ": " + std::strerror(error));
        killOnInterrupt.emplace(pid);
    }

    const auto deadline = std::chrono::steady_clock::now() + run.timeLimit;
    ChildProcessEnd end = ChildProcessEnd::Exited;
    try {
        while (!hasEnded(pid)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                end = ChildProcessEnd::TimeLimit;
                break;
            }
            if (run.keepWaiting && !run.keepWaiting()) {
                end = ChildProcessEnd::Stopped;
                break;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
    } catch (...) {
        killGroup(pid);
        killOnInterrupt.reset();
        reap(pid);
        throw;
    }
    // Also after a normal end: helpers the program left behind go with it. The group is
    // let go before the leader is reaped, while its id cannot yet belong to anyone else.
    killGroup(pid);
    killOnInterrupt.reset();
    const int status = reap(pid);
    ChildProcessResult result{end, -1};
    if (end == ChildProcessEnd::Exited && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    return result;
}

}  // namespace vellumar
