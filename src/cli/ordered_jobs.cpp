#include "cli/ordered_jobs.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace vellumar::cli {

namespace {

// What one job wrote, in the order it wrote it: pieces for standard error and standard output.
struct Record {
    struct Piece {
        bool toOut;
        std::string bytes;
    };
    std::vector<Piece> pieces;

    void append(bool toOut, std::string_view bytes)
    {
        if (pieces.empty() || pieces.back().toOut != toOut) pieces.push_back({toOut, {}});
        pieces.back().bytes.append(bytes);
    }
};

// An output that appends everything written to it to the job's record.
class RecordOutput : public TextOutput {
public:
    RecordOutput(Record& record, bool toOut) : m_record(record), m_toOut(toOut) {}
    void write(std::string_view bytes) override { m_record.append(m_toOut, bytes); }

private:
    Record& m_record;
    bool m_toOut;
};

struct JobSlot {
    Record record;
    bool done = false;
    bool succeeded = false;
};

}  // namespace

JobTurns::JobTurns(std::size_t count) : m_done(count, false) {}

void JobTurns::waitForEarlier(std::size_t index)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_doneBefore >= index; });
}

void JobTurns::waitForEarlierWhere(std::size_t index, const std::function<bool(std::size_t)>& matters)
{
    std::unique_lock lock(m_mutex);
    // Jobs found finished or not to matter are not looked at again.
    std::size_t checked = m_doneBefore;
    m_changed.wait(lock, [&] {
        checked = std::max(checked, m_doneBefore);
        while (checked < index && (m_done[checked] || !matters(checked))) ++checked;
        return checked >= index;
    });
}

void JobTurns::finish(std::size_t index)
{
    {
        const std::lock_guard lock(m_mutex);
        m_done[index] = true;
        while (m_doneBefore < m_done.size() && m_done[m_doneBefore]) ++m_doneBefore;
    }
    m_changed.notify_all();
}

bool runJobsInOrder(std::size_t count, unsigned threads, TextOutput& err, TextOutput& out, const OrderedJob& job)
{
    JobTurns turns(count);
    if (threads <= 1 || count <= 1) {
        bool all = true;
        for (std::size_t i = 0; i < count; ++i) {
            bool succeeded = false;
            try {
                succeeded = job(i, err, out, turns);
            } catch (...) {
                succeeded = false;
            }
            all = succeeded && all;
            turns.finish(i);
        }
        return all;
    }

    std::vector<JobSlot> slots(count);
    std::mutex mutex;         // guards the slots' results and what follows
    std::size_t written = 0;  // the records of jobs 0 .. written - 1 have gone out
    bool all = true;
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            JobSlot& slot = slots[i];
            RecordOutput jobErr(slot.record, false);
            RecordOutput jobOut(slot.record, true);
            bool succeeded = false;
            try {
                succeeded = job(i, jobErr, jobOut, turns);
            } catch (...) {
                succeeded = false;
            }
            turns.finish(i);
            // The job that completes the run of finished jobs at the front sends their records
            // out, so that no thread wakes only to write.
            const std::lock_guard lock(mutex);
            slot.succeeded = succeeded;
            slot.done = true;
            for (; written < count && slots[written].done; ++written) {
                for (const Record::Piece& piece : slots[written].record.pieces)
                    (piece.toOut ? out : err).write(piece.bytes);
                slots[written].record.pieces.clear();
                all = slots[written].succeeded && all;
            }
        }
    };
    std::vector<std::thread> workers;
    const std::size_t threadCount = std::min<std::size_t>(threads, count);
    workers.reserve(threadCount);
    for (std::size_t t = 0; t < threadCount; ++t) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();
    return all;
}

}  // namespace vellumar::cli
