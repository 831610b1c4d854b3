#pragma once
// How vellumar-convert uses the heap. A conversion makes its large texts one after another
// (source, cleaned text, body, book), so memory freed by one is kept for the next instead of
// being handed back to the system, and the heap is grown ahead of a conversion, in one step,
// by about what the conversion will write.

#include <cstddef>

namespace vellumar::cli {

// Freed memory stays with the process; allocations below 32 MB come from the heap.
void KeepFreedMemory();

// Grows the calling thread's heap by `bytes` (at most a little under 32 MB), faulted in, for
// the allocations that follow. Only after KeepFreedMemory(), which keeps the room once freed.
void ReserveHeap(std::size_t bytes);

// The room a conversion of a source of `sourceBytes` bytes is given ahead: its texts take a
// few times the source.
std::size_t HeapForSource(std::size_t sourceBytes);

}  // namespace vellumar::cli
