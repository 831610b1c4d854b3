#include "cli/heap_policy.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>

#include "base/faulted_memory.h"

namespace vellumar::cli {

namespace {

constexpr std::size_t kHeapLimit = 32u << 20;  // larger blocks are mapped on their own

}  // namespace

void KeepFreedMemory()
{
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapLimit));
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

void ReserveHeap(std::size_t bytes)
{
    bytes = std::min(bytes, kHeapLimit - (1u << 20));
    if (bytes == 0) return;
    void* room = std::malloc(bytes);
    if (room == nullptr) return;
    FaultInPages(room, bytes);
    std::free(room);
}

std::size_t HeapForSource(std::size_t sourceBytes)
{
    // Measured on books without pictures: the cleaned text, the items, the body and the book
    // come to five to seven times the source. A small page faults in too little for a
    // reservation to pay.
    const std::size_t room = sourceBytes * 6;
    return room < (1u << 20) ? 0 : room;
}

}  // namespace vellumar::cli
