#include "office/child_process.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
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

// A pipe whose two ends close with it.
struct Pipe {
    int ends[2] = {-1, -1};
    Pipe()
    {
        if (::pipe2(ends, O_CLOEXEC) != 0)
            throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    }
    ~Pipe() { closeBoth(); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void close(int which)
    {
        if (ends[which] >= 0) ::close(ends[which]);
        ends[which] = -1;
    }
    void closeBoth()
    {
        close(0);
        close(1);
    }
};

// Everything the child needs, made before the fork: after it, in a process with other threads,
// only calls that allocate nothing and take no lock are safe.
struct ChildSetup {
    std::vector<char*> argv;
    std::vector<char*> envp;
    const char* stdoutFile;
    const char* stderrFile;
    bool withoutNetwork;
    std::size_t memoryLimit;
    pid_t parent;
    std::string uidMap;  // "UID UID 1": the user stays who they are in a namespace of their own
    std::string gidMap;
};

void writeWhole(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return;
    [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
    ::close(fd);
}

// A network namespace of its own has only a loopback that is down: nothing can be reached.
// Root may make one directly; another user only inside a user namespace of their own, where
// the system allows those. When neither works, the child goes on with the network it has.
void leaveTheNetwork(const ChildSetup& setup)
{
    if (::unshare(CLONE_NEWNET) == 0) return;
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return;
    writeWhole("/proc/self/setgroups", "deny");
    writeWhole("/proc/self/uid_map", setup.uidMap);
    writeWhole("/proc/self/gid_map", setup.gidMap);
}

[[noreturn]] void failInChild(int reportFd)
{
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

// In the forked child: a group of its own (the time limit ends the program and everything it
// started, and a Ctrl-C on the terminal reaches only this program, whose handler then kills the
// group), default signals, no descriptor of ours but its three, then the program.
[[noreturn]] void becomeTheProgram(const ChildSetup& setup, int reportFd)
{
    ::setpgid(0, 0);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) ::signal(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // The program's own start ends with this process; the watcher takes care of the rest.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != setup.parent) ::_exit(127);
    if (setup.withoutNetwork) leaveTheNetwork(setup);
    if (setup.memoryLimit > 0) {
        const rlimit limit{setup.memoryLimit, setup.memoryLimit};
        if (::setrlimit(RLIMIT_AS, &limit) != 0) failInChild(reportFd);
    }
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int out = ::open(setup.stdoutFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int err = ::open(setup.stderrFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (in < 0 || out < 0 || err < 0) failInChild(reportFd);
    if (::dup2(in, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0)
        failInChild(reportFd);
    // Descriptors other threads opened meanwhile do not pass into the program.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execve(setup.argv[0], setup.argv.data(), setup.envp.data());
    failInChild(reportFd);
}

// The watcher: waits until the write end of `lifeline` closes, which happens when the caller is
// done with the group or when this process dies however it dies, then kills the group. It keeps
// no other descriptor, so that no other watcher's lifeline stays open through it.
pid_t startWatcher(pid_t group, Pipe& lifeline)
{
    const pid_t watcher = ::fork();
    if (watcher != 0) return watcher;
    ::dup2(lifeline.ends[0], STDIN_FILENO);
    ::close_range(STDIN_FILENO + 1, ~0U, 0);
    char byte = 0;
    while (::read(STDIN_FILENO, &byte, 1) < 0 && errno == EINTR) {
    }
    ::kill(-group, SIGKILL);
    ::_exit(0);
}

}  // namespace

ChildProcessResult runChildProcess(const ChildProcessRun& run)
{
    if (run.arguments.empty()) throw std::invalid_argument("RunChildProcess: no program given");
    std::vector<std::string> arguments = run.arguments;
    std::vector<std::string> environment = mergedEnvironment(run.environment);

    ChildSetup setup{pointersOf(arguments),
                     pointersOf(environment),
                     run.stdoutFile.c_str(),
                     run.stderrFile.c_str(),
                     run.withoutNetwork,
                     run.memoryLimit,
                     ::getpid(),
                     std::to_string(::geteuid()) + " " + std::to_string(::geteuid()) + " 1",
                     std::to_string(::getegid()) + " " + std::to_string(::getegid()) + " 1"};
    Pipe report;    // the errno of a child that could not become the program; closed by its exec
    Pipe lifeline;  // its write end stays with this process alone; the watcher waits on the read end

    // Started and registered with Ctrl-C held back: an interrupted run kills the group.
    pid_t pid = 0;
    pid_t watcher = -1;
    std::optional<InterruptKill> killOnInterrupt;
    {
        const InterruptsHeldBack heldBack;
        pid = ::fork();
        if (pid < 0) throw std::runtime_error("cannot start " + run.arguments[0] + ": " + std::strerror(errno));
        if (pid == 0) becomeTheProgram(setup, report.ends[1]);
        ::setpgid(pid, pid);  // also done by the child: whichever runs first
        killOnInterrupt.emplace(pid);
        watcher = startWatcher(pid, lifeline);
    }
    lifeline.close(0);
    report.close(1);
    // Ends the group and lets the watcher go while the leader, unreaped, still holds the group's id.
    const auto endGroup = [&] {
        killGroup(pid);
        lifeline.close(1);
        if (watcher > 0) reap(watcher);
        killOnInterrupt.reset();
        return reap(pid);
    };
    int startError = 0;
    ssize_t got = 0;
    while ((got = ::read(report.ends[0], &startError, sizeof startError)) < 0 && errno == EINTR) {
    }
    if (got == sizeof startError) {
        endGroup();
        throw std::runtime_error("cannot start " + run.arguments[0] + ": " + std::strerror(startError));
    }

    auto deadline = std::chrono::steady_clock::now() + run.timeLimit;
    ChildProcessEnd end = ChildProcessEnd::Exited;
    try {
        while (!hasEnded(pid)) {
            if (run.madeProgress && run.madeProgress()) deadline = std::chrono::steady_clock::now() + run.timeLimit;
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
        endGroup();
        throw;
    }
    // Also after a normal end: helpers the program left behind go with it.
    const int status = endGroup();
    ChildProcessResult result{end, -1};
    if (end == ChildProcessEnd::Exited && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    return result;
}

}  // namespace vellumar
