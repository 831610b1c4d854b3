#pragma once
// Fresh memory costs a page fault for every 4 KB the first time it is written: for a large
// book that is about a fifth of the conversion. A PageWarmer has the kernel make the pages of a
// buffer on another core, from its far end backwards, while this thread fills it from the
// front; the two meet somewhere in it, and the filling finds the pages already there.
//
//     std::string out;
//     out.reserve(expected);
//     const PageWarmer warmer(out.data(), expected);   // before the first append
//     ... append up to about `expected` bytes ...
//
// It never writes to the buffer, so what the filling writes is not disturbed. Small buffers,
// where a thread costs more than it saves, and kernels without MADV_POPULATE_WRITE are left as
// they are. The warmer stops when it is destroyed, before the buffer may be freed or moved.

#include <atomic>
#include <cstddef>
#include <thread>

namespace vellumar {

class PageWarmer {
public:
    PageWarmer(const void* start, std::size_t bytes);
    ~PageWarmer();
    PageWarmer(const PageWarmer&) = delete;
    PageWarmer& operator=(const PageWarmer&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace vellumar
