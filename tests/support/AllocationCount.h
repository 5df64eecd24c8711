#pragma once
// Counts the heap allocations (operator new, every form) made by one thread between Start and Stop.
// The binary that links AllocationCount.cpp replaces the global operator new and delete with plain
// malloc and free; outside a count they cost one thread-local test. Under AddressSanitizer the
// sanitizer keeps its own operators and nothing is counted.
#include <cstdint>

namespace allocations {

// False where the counting operators are not in place (sanitizer builds).
bool Countable();
// Begins counting this thread's allocations from zero.
void Start();
// Ends the count and returns it.
uint64_t Stop();
// Stops counting for a while without losing the count (Resume goes on from it).
void Pause();
void Resume();

}  // namespace allocations
