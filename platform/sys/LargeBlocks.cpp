#include "platform/sys/LargeBlocks.h"

#include <malloc.h>

#include <mutex>

namespace platform {

void ReturnLargeBlocksWhenFreed() {
    static std::once_flag once;
    std::call_once(once, [] { mallopt(M_MMAP_THRESHOLD, 128 * 1024); });
}

}  // namespace platform
