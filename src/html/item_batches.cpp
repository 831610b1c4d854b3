// HtmlParser::parseInBatches: the items of a large text are made on another thread while the
// caller reads the batches made before.

#include "html/tokenizer.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace vellumar {

namespace {

// Below this the text is tokenized in turn with the caller's work: handing the batches from
// one core to the other costs about what the second core saves (measured on 1 to 10 MB books).
constexpr std::size_t kSmallestTextForThread = 4u << 20;
// Batches made and not yet taken: enough that neither side waits for a batch of the other's.
constexpr std::size_t kBatchesAhead = 2;

// Filled tables go from the tokenizing thread to the caller, and emptied ones back.
class BatchChannel {
public:
    // The tokenizing side: hands `filled` over and leaves an empty table in its place; false
    // when the caller no longer wants batches.
    bool send(HtmlItemTable& filled)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ready.size() < kBatchesAhead || m_cancelled; });
        if (m_cancelled) return false;
        m_ready.push_back(std::move(filled));
        filled = HtmlItemTable();
        if (!m_spare.empty()) {
            filled = std::move(m_spare.back());
            m_spare.pop_back();
        }
        m_changed.notify_all();
        return true;
    }

    // The tokenizing side, last: no more batches, and why, when it failed.
    void finish(std::exception_ptr failure)
    {
        const std::scoped_lock lock(m_mutex);
        m_finished = true;
        m_failure = std::move(failure);
        m_changed.notify_all();
    }

    // The caller's side: the next batch into `into`; false after the last one. A failure of
    // the tokenizing side is thrown here, after the batches made before it.
    bool take(HtmlItemTable& into)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished; });
        if (m_ready.empty()) {
            if (m_failure) std::rethrow_exception(m_failure);
            return false;
        }
        into = std::move(m_ready.front());
        m_ready.pop_front();
        m_changed.notify_all();
        return true;
    }

    void giveBack(HtmlItemTable&& emptied)
    {
        const std::scoped_lock lock(m_mutex);
        m_spare.push_back(std::move(emptied));
    }

    void cancel()
    {
        const std::scoped_lock lock(m_mutex);
        m_cancelled = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<HtmlItemTable> m_ready;
    std::vector<HtmlItemTable> m_spare;
    bool m_finished = false;
    bool m_cancelled = false;
    std::exception_ptr m_failure;
};

}  // namespace

void HtmlParser::parseInBatches(std::string text, const HtmlErrorHandler& onError,
                                const std::function<void()>& eachBatch, Batches batches)
{
    start(std::move(text));
    // The whole list is kept as long as the text: as much room as parse() takes.
    if (batches == Batches::Kept) m_shown.items.reserve(m_text.size() / 16);
    if (m_text.size() >= kSmallestTextForThread && tokenizeOnAnotherThread(onError, eachBatch, batches)) return;
    const HandOver inTurn = [&] {
        show(m_filling, onError, batches);
        eachBatch();
        shown(batches);
        return true;
    };
    m_handOver = &inTurn;
    try {
        tokenize();
    } catch (...) {
        m_handOver = nullptr;
        throw;
    }
    m_handOver = nullptr;
    inTurn();
}

bool HtmlParser::tokenizeOnAnotherThread(const HtmlErrorHandler& onError, const std::function<void()>& eachBatch,
                                         Batches batches)
{
    BatchChannel channel;
    const HandOver send = [&] { return channel.send(m_filling); };
    m_handOver = &send;
    std::thread tokenizing;
    try {
        tokenizing = std::thread([&] {
            try {
                tokenize();
                // The last batch goes too when it is empty: the caller's work ends with it.
                channel.send(m_filling);
                channel.finish(nullptr);
            } catch (...) {
                channel.finish(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
        // No thread to spare: the caller tokenizes in turn.
        m_handOver = nullptr;
        return false;
    }
    // Whatever the caller's work throws, the tokenizing stops before the text may go.
    struct Join {
        BatchChannel& channel;
        std::thread& thread;
        const HandOver*& handOver;
        ~Join()
        {
            channel.cancel();
            thread.join();
            handOver = nullptr;
        }
    } join{channel, tokenizing, m_handOver};
    HtmlItemTable batch;
    while (channel.take(batch)) {
        show(batch, onError, batches);
        eachBatch();
        shown(batches);
        channel.giveBack(std::move(batch));
        batch = HtmlItemTable();
    }
    return true;
}

}  // namespace vellumar
