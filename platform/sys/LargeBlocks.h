#pragma once
// glibc serves a block from its heap once a block of that size has been freed, raising its mmap
// threshold up to 32 MiB; the music waves (about 10 MiB, read and handed to the audio device again on
// every scene change) then stay in the heap, and the process grows and shrinks by tens of MiB from
// one scene to the next. Holding the threshold at its start value gives every large block its own
// mapping, returned to the system when freed.
namespace platform {

// Once per process; later calls do nothing.
void ReturnLargeBlocksWhenFreed();

}  // namespace platform
