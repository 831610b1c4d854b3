#include "cli/heap_policy.h"

#include <malloc.h>

#include <cstddef>

namespace vellumar::cli {

namespace {

constexpr std::size_t kHeapLimit = 32u << 20;  // larger blocks are mapped on their own

}  // namespace

void keepFreedMemory()
{
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapLimit));
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace vellumar::cli
