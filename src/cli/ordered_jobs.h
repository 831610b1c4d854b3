#pragma once
// Running the conversions of many INPUTs at once while the run reads as if they ran one after
// another: each job writes its messages and its standard output into its own record, and the
// records reach the real streams in job order, each as soon as its job and every job before it
// are done. A job that must see the results of some jobs before it (reading the book one of
// them writes, writing a file one of them reads or writes) waits for those.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

#include "cli/text_output.h"

namespace vellumar::cli {

// Which jobs have finished; a job may wait here for all the jobs before it.
class JobTurns {
public:
    explicit JobTurns(std::size_t count);
    // Blocks until every job before `index` has finished.
    void waitForEarlier(std::size_t index);
    // Blocks until every job before `index` for which `matters` holds has finished.
    void waitForEarlierWhere(std::size_t index, const std::function<bool(std::size_t)>& matters);
    void finish(std::size_t index);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<bool> m_done;
    std::size_t m_doneBefore = 0;  // jobs 0 .. m_doneBefore - 1 have all finished
};

// One job: its number, the streams it writes to, and the turns it may wait for. Returns
// whether it succeeded.
using OrderedJob = std::function<bool(std::size_t index, TextOutput& err, TextOutput& out, JobTurns& turns)>;

// Runs jobs 0 .. count - 1 on up to `threads` threads (1 or a single job: one after another,
// straight onto err and out). Returns true when every job succeeded.
bool runJobsInOrder(std::size_t count, unsigned threads, TextOutput& err, TextOutput& out, const OrderedJob& job);

}  // namespace vellumar::cli
