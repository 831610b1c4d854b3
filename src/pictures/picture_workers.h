#pragma once
// Threads that re-encode pictures while the conversion walks on: one per processor, shared by
// every conversion of the process, started at the first job. A job owns everything it reads,
// so it may outlive the conversion that gave it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vellumar {

class PictureWorkers {
public:
    // With threadCount 0 or 1 every job runs at once in the caller's thread.
    explicit PictureWorkers(unsigned threadCount);
    // One thread per processor, counted when the first job comes (a book without pictures
    // never asks).
    PictureWorkers();
    ~PictureWorkers();
    PictureWorkers(const PictureWorkers&) = delete;
    PictureWorkers& operator=(const PictureWorkers&) = delete;

    // The pool of the process, with as many threads as there are processors.
    static PictureWorkers& shared();

    // Runs job on a worker; the future gives its result or rethrows its exception. A job with
    // a weight (about the work it does) starts before the jobs without one, the heaviest
    // first, so that a book's slowest picture is not the last to start; the others start in
    // the order they come.
    std::future<std::string> run(std::function<std::string()> job, std::size_t weight = 0);

private:
    void work();
    unsigned threadCount() const;

    static constexpr unsigned kOnePerProcessor = ~0u;
    unsigned m_threadCount;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::packaged_task<std::string()>> m_jobs;
    // Equal weights keep the order they came in.
    std::multimap<std::size_t, std::packaged_task<std::string()>, std::greater<>> m_weightedJobs;
    std::vector<std::thread> m_threads;
    bool m_stopping = false;
};

}  // namespace vellumar
