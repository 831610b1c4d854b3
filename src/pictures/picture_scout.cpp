#include "pictures/picture_scout.h"

#include <limits>
#include <utility>

#include "base/ascii_case.h"
#include "pictures/picture_workers.h"

namespace vellumar {

namespace fs = std::filesystem;

PictureScout::PictureScout(ConversionOptions options, fs::path baseFolder, PictureWorkers& workers)
    : m_options(std::move(options)), m_baseFolder(std::move(baseFolder)), m_workers(workers)
{
}

void PictureScout::lookAhead(std::vector<std::string> srcs)
{
    // A promise cannot be copied, nor then can a job holding it: the job shares them. A deque
    // keeps each where it was made, for the walk's pointer to it.
    auto preparations = std::make_shared<std::deque<Preparation>>();
    for (std::string& src : srcs) {
        if (IsNetworkSource(src) || AsciiLower(src.substr(0, 5)) == "data:" || m_prepared.contains(src)) continue;
        Preparation& preparation = preparations->emplace_back();
        preparation.src = src;
        m_prepared.emplace(std::move(src), Expected{&preparation, preparation.result.get_future()});
    }
    if (preparations->empty()) return;
    m_preparations.push_back(preparations);
    // The walk waits for it: it starts before any picture's work.
    m_lookAheads.push_back(m_workers.run(
        [self = shared_from_this(), preparations] {
            self->scout(*preparations);
            return std::string();
        },
        std::numeric_limits<std::size_t>::max()));
}

std::optional<PreparedPicture> PictureScout::take(std::string_view src)
{
    const auto found = m_prepared.find(src);
    if (found == m_prepared.end()) return std::nullopt;
    Claim open = Claim::Open;
    const bool claimed = found->second.preparation->claim.compare_exchange_strong(open, Claim::Walk);
    std::future<PreparedPicture> result = std::move(found->second.result);
    m_prepared.erase(found);
    // Waiting for the job to get there would cost more than the few system calls it saves.
    if (claimed) return std::nullopt;
    try {
        PreparedPicture prepared = result.get();
        if (prepared.head && !prepared.headDropped) m_heldBytes -= prepared.head->size();
        return prepared;
    } catch (const std::future_error&) {
        return std::nullopt;  // the look-ahead ended early: the walk prepares it itself
    }
}

std::shared_future<std::string> PictureScout::planned(const PictureFileKey& key, std::function<std::string()> work,
                                                     std::size_t weight)
{
    const std::lock_guard lock(m_mutex);
    std::shared_future<std::string>& entry = m_work[key];
    if (entry.valid()) return std::exchange(entry, {});
    return m_workers.run(std::move(work), weight).share();
}

void PictureScout::start(const PictureFileKey& key, std::function<std::string()> work, std::size_t weight)
{
    const std::lock_guard lock(m_mutex);
    if (!m_work.contains(key)) m_work.emplace(key, m_workers.run(std::move(work), weight).share());
}

void PictureScout::hold(PreparedPicture& prepared)
{
    // A small file's head is all of it, which the walk hands its worker; a larger file is read
    // whole by its worker anyway. However far the scout runs ahead, the heads it holds stay few.
    constexpr std::size_t kHeldBytesLimit = 16 << 20;
    const std::size_t size = prepared.head->size();
    if (size < kPictureHeaderBytes && m_heldBytes + size <= kHeldBytesLimit) {
        m_heldBytes += size;
        return;
    }
    prepared.head.emplace();
    prepared.headDropped = true;
}

void PictureScout::stop()
{
    *m_stopped = true;
    for (const std::future<std::string>& job : m_lookAheads) job.wait();
    m_lookAheads.clear();  // their jobs hold the scout
    m_prepared.clear();
    m_preparations.clear();
    const std::lock_guard lock(m_mutex);
    m_work.clear();
}

void PictureScout::scout(std::deque<Preparation>& preparations)
{
    FolderListings listings;
    for (Preparation& preparation : preparations) {
        if (*m_stopped) return;
        Claim open = Claim::Open;
        if (!preparation.claim.compare_exchange_strong(open, Claim::Scout)) continue;  // the walk got there first
        PreparedPicture prepared = PreparePicture(preparation.src, m_baseFolder, &listings, m_options);
        if (prepared.located && prepared.head && !prepared.error && prepared.plan.work != PictureWork::AsIs) {
            auto work = [stopped = m_stopped, file = prepared.located->file, plan = prepared.plan, options = m_options,
                         name = preparation.src]() -> std::string {
                if (*stopped) return {};
                return CarryOutPlan(ReadPlannedPicture(file, name), plan, options, name);
            };
            start(prepared.located->key, std::move(work), PlanWeight(prepared.plan));
        }
        if (prepared.head) hold(prepared);
        preparation.result.set_value(std::move(prepared));
    }
}

}  // namespace vellumar
