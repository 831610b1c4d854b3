#include "base/page_warmer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace vellumar {

namespace {

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;
#endif

// Below this a conversion takes a few milliseconds and a thread is not worth starting.
constexpr std::size_t kSmallest = 8u << 20;
// The pages made in one call: the warmer sees a stop soon, and a call costs little beside it.
constexpr std::size_t kStep = 1u << 20;

}  // namespace

PageWarmer::PageWarmer(const void* start, std::size_t bytes)
{
    if (bytes < kSmallest) return;
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    // Only whole pages inside the buffer: the pages at its ends may be shared with other data.
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + pageSize - 1) & ~(pageSize - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(pageSize - 1);
    try {
        m_thread = std::thread([this, first, end] {
            for (std::uintptr_t stepEnd = end; stepEnd > first && !m_stop.load(std::memory_order_relaxed);) {
                const std::uintptr_t stepStart = stepEnd - first > kStep ? stepEnd - kStep : first;
                // Pages the filling has reached already are only looked at; an error (an old
                // kernel, memory short) leaves the rest to be made as they are written.
                if (::madvise(reinterpret_cast<void*>(stepStart), stepEnd - stepStart, MADV_POPULATE_WRITE) != 0)
                    return;
                stepEnd = stepStart;
            }
        });
    } catch (const std::system_error&) {
        // No thread to spare: the pages are made as they are written, as without a warmer.
    }
}

PageWarmer::~PageWarmer()
{
    m_stop.store(true, std::memory_order_relaxed);
    if (m_thread.joinable()) m_thread.join();
}

}  // namespace vellumar
