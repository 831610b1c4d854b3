#include "files/interrupt_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

namespace vellumar {

namespace {

// One registered path. `version` is odd while the path is being written or cleared, so a
// handler that reads it meanwhile, on another thread, skips it instead of reading half a path.
struct Slot {
    std::atomic<unsigned> version{0};
    std::atomic<bool> taken{false};
    CleanupKind kind = CleanupKind::File;
    pid_t owner = 0;  // a child made by fork() inherits the table but owns none of its paths
    char path[PATH_MAX] = {};
};

std::array<Slot, 64> g_slots;

// One registered child process group: its id, and the process that made it (a child made
// by fork() inherits the table but owns none of its groups).
struct GroupSlot {
    std::atomic<pid_t> group{0};
    std::atomic<pid_t> owner{0};
};

std::array<GroupSlot, 16> g_groups;

// The signals that end a run early and have it clean up first: Ctrl-C, kill, the terminal
// closed (SIGHUP), Ctrl-\\ (SIGQUIT).
constexpr std::array kInterruptSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Removes everything in the open folder, however deep, without recursion or memory of the way
// down (it runs in a signal handler): it goes into the first folder it cannot remove at once,
// and back up through ".." once a folder is emptied, where the now empty folder goes. Takes
// over `folder`. A folder it cannot empty (another user's files) ends the work.
void removeFolderContent(int folder)
{
    int depth = 0;
    int fruitless = 0;  // folders left in a row without removing anything
    while (folder >= 0) {
        bool removed = false;
        int inner = -1;
        alignas(8) char buffer[4096];
        for (ssize_t got = 0; inner < 0 && (got = ::getdents64(folder, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got && inner < 0;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                at += entry->d_reclen;
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
                if (::unlinkat(folder, name, 0) == 0 || ::unlinkat(folder, name, AT_REMOVEDIR) == 0) {
                    removed = true;
                    continue;
                }
                if (errno == ENOTEMPTY || errno == EEXIST)
                    inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            }
        }
        if (inner >= 0) {
            ::close(folder);
            folder = inner;
            ++depth;
            continue;
        }
        fruitless = removed ? 0 : fruitless + 1;
        const int outer = depth > 0 && fruitless < 2 ? ::openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
        ::close(folder);
        folder = outer;
        --depth;
    }
}

void removeSlot(Slot& slot)
{
    const unsigned before = slot.version.load(std::memory_order_acquire);
    if ((before & 1U) != 0 || !slot.taken.load(std::memory_order_acquire)) return;
    char path[PATH_MAX];
    std::memcpy(path, slot.path, sizeof path);
    const CleanupKind kind = slot.kind;
    const pid_t owner = slot.owner;
    std::atomic_thread_fence(std::memory_order_acquire);
    if (slot.version.load(std::memory_order_relaxed) != before) return;
    path[PATH_MAX - 1] = '\0';
    if (path[0] == '\0' || owner != ::getpid()) return;
    if (kind == CleanupKind::File) {
        ::unlink(path);
        return;
    }
    const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return;
    removeFolderContent(folder);
    ::rmdir(path);
}

void onInterrupt(int signal)
{
    const int savedErrno = errno;
    killRegisteredProcessGroups();
    removeRegisteredPaths();
    errno = savedErrno;
    // The handler was installed with SA_RESETHAND: the signal, held back until this handler
    // returns, now ends the process as if it had never been caught.
    ::raise(signal);
}

}  // namespace

InterruptCleanup::InterruptCleanup(const std::filesystem::path& path, CleanupKind kind)
{
    const std::string& text = path.native();
    if (text.empty() || text.size() >= PATH_MAX) return;
    for (int i = 0; i < static_cast<int>(g_slots.size()); ++i) {
        Slot& slot = g_slots[static_cast<std::size_t>(i)];
        bool expected = false;
        if (!slot.taken.compare_exchange_strong(expected, true, std::memory_order_acq_rel)) continue;
        slot.version.fetch_add(1, std::memory_order_acq_rel);  // odd: being written
        std::atomic_thread_fence(std::memory_order_release);
        std::memcpy(slot.path, text.c_str(), text.size() + 1);
        slot.kind = kind;
        slot.owner = ::getpid();
        slot.version.fetch_add(1, std::memory_order_release);  // even: ready
        m_slot = i;
        return;
    }
}

void InterruptCleanup::release()
{
    if (m_slot < 0) return;
    Slot& slot = g_slots[static_cast<std::size_t>(m_slot)];
    slot.version.fetch_add(1, std::memory_order_acq_rel);  // odd: handlers skip it from now on
    std::atomic_thread_fence(std::memory_order_release);
    slot.path[0] = '\0';
    slot.taken.store(false, std::memory_order_release);
    slot.version.fetch_add(1, std::memory_order_release);
    m_slot = -1;
}

InterruptKill::InterruptKill(pid_t group)
{
    if (group <= 0) return;
    for (int i = 0; i < static_cast<int>(g_groups.size()); ++i) {
        GroupSlot& slot = g_groups[static_cast<std::size_t>(i)];
        pid_t expected = 0;
        if (!slot.owner.compare_exchange_strong(expected, ::getpid(), std::memory_order_acq_rel)) continue;
        slot.group.store(group, std::memory_order_release);
        m_slot = i;
        return;
    }
}

InterruptKill::~InterruptKill()
{
    if (m_slot < 0) return;
    GroupSlot& slot = g_groups[static_cast<std::size_t>(m_slot)];
    slot.group.store(0, std::memory_order_release);
    slot.owner.store(0, std::memory_order_release);
}

InterruptsHeldBack::InterruptsHeldBack()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kInterruptSignals) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &m_previous);
}

InterruptsHeldBack::~InterruptsHeldBack() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

void installInterruptCleanup()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : kInterruptSignals) sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESETHAND;
    for (const int signal : kInterruptSignals) {
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
    ::signal(SIGXFSZ, SIG_IGN);
}

void killRegisteredProcessGroups()
{
    for (GroupSlot& slot : g_groups) {
        const pid_t group = slot.group.load(std::memory_order_acquire);
        if (group > 0 && slot.owner.load(std::memory_order_acquire) == ::getpid()) ::kill(-group, SIGKILL);
    }
}

void removeRegisteredPaths()
{
    for (Slot& slot : g_slots) removeSlot(slot);
}

}  // namespace vellumar
