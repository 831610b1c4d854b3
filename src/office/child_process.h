#pragma once
// Runs an outside program to its end, with a time limit, while the caller keeps working
// (a window repaints between the checks).

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vellumar {

struct ChildProcessRun {
    std::vector<std::string> arguments;  // arguments[0] is the program's path
    // "NAME=value" entries that replace or add to this process's environment.
    std::vector<std::string> environment;
    std::filesystem::path stdoutFile;  // both created anew; standard input is /dev/null
    std::filesystem::path stderrFile;
    std::chrono::milliseconds timeLimit{120'000};  // from the start, or from the last progress
    // Called every few milliseconds while the program runs; returning false stops it.
    std::function<bool()> keepWaiting;
    // Called as often; returning true says the program finished a piece of its work, and the
    // time limit counts afresh from then (each of many documents gets the same time).
    std::function<bool()> madeProgress;
    // Cut the program off from every network, the loopback included, where the system lets a
    // process have a network of its own (root, or user namespaces allowed); where it does not,
    // the program runs as it would have.
    bool withoutNetwork = false;
    // The most address space the program (and each process it starts) may take; 0: no limit.
    std::size_t memoryLimit = 0;
};

enum class ChildProcessEnd { Exited, TimeLimit, Stopped };

struct ChildProcessResult {
    ChildProcessEnd end = ChildProcessEnd::Exited;
    int exitStatus = -1;  // the exit status when it exited normally, else -1
};

// Starts the program in a process group of its own and waits for it. The group is also killed
// when this process dies without a chance to clean up (killed by SIGKILL): a small watcher
// process, started with it, ends the group once this process's end of a pipe closes. On the time limit,
// when keepWaiting says stop, or when keepWaiting throws, the whole group (the program and
// every process it started) is killed by its id and reaped before this returns or
// rethrows; no process of the run outlives the call. Throws std::runtime_error when the
// program cannot be started.
ChildProcessResult runChildProcess(const ChildProcessRun& run);

}  // namespace vellumar
