#pragma once
// What an interrupted run must not leave behind: the hidden temporary file of an output being
// written and the private temporary folders of pictures. Writers register them here while they
// exist; the handlers installed by installInterruptCleanup remove whatever is registered when
// SIGINT, SIGTERM, SIGHUP (the terminal closed) or SIGQUIT arrives, then let the signal end the
// process as it would have (the shell sees the status 130 or 143).

#include <signal.h>

#include <filesystem>

namespace vellumar {

enum class CleanupKind { File, Folder };

// Holds one path in the table the handlers read, for as long as it lives. Thread-safe; when
// the table is full (more than 64 at once) the path is simply not held.
class InterruptCleanup {
public:
    InterruptCleanup() = default;
    InterruptCleanup(const std::filesystem::path& path, CleanupKind kind);
    InterruptCleanup(const InterruptCleanup&) = delete;
    InterruptCleanup& operator=(const InterruptCleanup&) = delete;
    ~InterruptCleanup() { release(); }

    // Stops holding the path (it was renamed into place or removed).
    void release();

private:
    int m_slot = -1;
};

// Holds a child process group (an outside program and what it started) while it lives; the
// handlers kill the whole group before they remove the registered paths, so that no program
// of the run outlives it or keeps writing into its folders. Thread-safe; at most 16 at once.
class InterruptKill {
public:
    explicit InterruptKill(pid_t group);
    InterruptKill(const InterruptKill&) = delete;
    InterruptKill& operator=(const InterruptKill&) = delete;
    ~InterruptKill();

private:
    int m_slot = -1;
};

// Holds those signals back in this thread while it lives, so that a file is never made
// without being registered: a signal that arrives meanwhile is handled when it ends.
class InterruptsHeldBack {
public:
    InterruptsHeldBack();
    InterruptsHeldBack(const InterruptsHeldBack&) = delete;
    InterruptsHeldBack& operator=(const InterruptsHeldBack&) = delete;
    ~InterruptsHeldBack();

private:
    sigset_t m_previous;  // the thread's signal mask before
};

// SIGINT, SIGTERM, SIGHUP and SIGQUIT remove every registered file and folder (a folder however
// deep), then end the process by the same
// signal (one that the process was started ignoring stays ignored). SIGXFSZ (a write past the
// file-size limit) is ignored, so the write fails with EFBIG and the writer cleans up as after
// any failed write.
void installInterruptCleanup();

// Removes every file and folder that this process registered, now, as the handlers do. Only
// async-signal-safe calls: no allocation, no locks.
void removeRegisteredPaths();
// Kills every process group that this process registered, now, as the handlers do.
void killRegisteredProcessGroups();

}  // namespace vellumar
