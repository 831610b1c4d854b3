#include "base/faulted_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace vellumar {

namespace {

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14
#endif

// Below this a few faults cost less than the system call.
constexpr std::size_t kWorthwhileBytes = 64 * 1024;

}  // namespace

void FaultInPages(void* begin, std::size_t bytes)
{
    if (bytes < kWorthwhileBytes) return;
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + bytes) & ~(page - 1);
    if (end <= first) return;
    // Older kernels refuse the advice; the pages are then faulted in as they are written.
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

void ReserveFaultedIn(std::string& text, std::size_t bytes)
{
    text.reserve(bytes);
    FaultInPages(text.data() + text.size(), text.capacity() - text.size());
}

}  // namespace vellumar
