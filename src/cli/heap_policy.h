#pragma once
// How vellumar-convert uses the heap. A conversion makes its large texts one after another
// (source, cleaned text, body, book), so memory freed by one is kept for the next instead of
// being handed back to the system.

#include <cstddef>

namespace vellumar::cli {

// Freed memory stays with the process; allocations below 32 MB come from the heap.
void keepFreedMemory();

}  // namespace vellumar::cli
