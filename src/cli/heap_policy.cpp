#include "cli/heap_policy.h"

#include <malloc.h>

#include <cstddef>

namespace vellumar::cli {

namespace {

// Larger blocks are mapped on their own and handed back when freed. Each stage of a large
// book then starts on fresh pages, which costs page faults; taken from the heap instead, freed
// stages would be reused, but a heap that holds blocks of one size cannot hold the larger next
// one where they stood, and grows: with a 1 GiB limit a 500 MB book needed 2.4 GB rather than
// 1.5 GB and no less time. The stages copy the book few times now, so few fresh pages are made.
constexpr std::size_t kHeapLimit = 32u << 20;

}  // namespace

void keepFreedMemory()
{
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapLimit));
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace vellumar::cli
