#include "pictures/picture_workers.h"

#include <pthread.h>

namespace vellumar {

PictureWorkers::PictureWorkers(unsigned threadCount) : m_threadCount(threadCount) {}

PictureWorkers::PictureWorkers() : m_threadCount(kOnePerProcessor) {}

unsigned PictureWorkers::threadCount() const
{
    if (m_threadCount != kOnePerProcessor) return m_threadCount;
    static const unsigned processors = std::thread::hardware_concurrency();
    return processors;
}

PictureWorkers::~PictureWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads) thread.join();
}

PictureWorkers& PictureWorkers::shared()
{
    static PictureWorkers workers;
    return workers;
}

std::future<std::string> PictureWorkers::run(std::function<std::string()> job, std::size_t weight)
{
    std::packaged_task<std::string()> task(std::move(job));
    std::future<std::string> result = task.get_future();
    if (threadCount() <= 1) {
        task();
        return result;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (weight > 0) m_weightedJobs.emplace(weight, std::move(task));
        else m_jobs.push_back(std::move(task));
        // Threads are started as jobs come, up to the number of processors.
        if (m_threads.size() < threadCount()) m_threads.emplace_back([this] { work(); });
    }
    m_wake.notify_one();
    return result;
}

void PictureWorkers::work()
{
    // Named so, the workers stand apart from the window or the conversion in top and profilers.
    pthread_setname_np(pthread_self(), "vellumar-pics");
    for (;;) {
        std::packaged_task<std::string()> task;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty() || !m_weightedJobs.empty(); });
            if (!m_weightedJobs.empty()) {
                task = std::move(m_weightedJobs.begin()->second);
                m_weightedJobs.erase(m_weightedJobs.begin());
            } else if (!m_jobs.empty()) {
                task = std::move(m_jobs.front());
                m_jobs.pop_front();
            } else {
                return;
            }
        }
        task();
    }
}

}  // namespace vellumar
