#pragma once
// Large buffers faulted in at once. The first write to a fresh page costs a page fault; on a
// virtual machine that is a few microseconds a page, more than filling the page, and threads
// that fault at the same time wait for each other. A buffer of known size is cheaper to fault
// in with one system call before it is filled.

#include <cstddef>
#include <string>

namespace vellumar {

// Faults in the pages of [begin, begin + bytes) that lie wholly inside it, when they are
// many enough to be worth a system call. Nothing happens where the system cannot do it.
void FaultInPages(void* begin, std::size_t bytes);

// Reserves room for `bytes` characters in text and faults in the room not used yet.
void ReserveFaultedIn(std::string& text, std::size_t bytes);

}  // namespace vellumar
