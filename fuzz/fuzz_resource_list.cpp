// Resource lists: every line parsed as a record, then the whole list loaded into the caches from the
// content tree, so that records naming the game's own models, images and sounds load them.
#include <atomic>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "loading/ResourceList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartHeadless();
    const fuzz::InFolder inContent(fuzz::GameDir());
    const std::string path = fuzz::ScratchDir() + "/list.txt";
    fuzz::WriteBytes(path, data, size);
    std::atomic<uint32_t> total{0}, progress{0};
    LoadResourceList(path, total, progress);
    if (progress.load() != total.load()) __builtin_trap();  // every line counts, whatever it caused
    // The caches stay filled: names are the content tree's, whose files do not change between inputs,
    // and decoding the same stage's images anew for every input would leave no time for fuzzing.
    return 0;
}
