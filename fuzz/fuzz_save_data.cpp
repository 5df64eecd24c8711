// The progress files: "save.dat", and "Data/txt/Stage.txt" when there is no save, read from a scratch
// working directory. Whatever they hold, the number read is one a new game or a save could give.
#include <filesystem>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "loading/SaveData.h"

namespace {

// The disk flush is the one slow step and is no part of the reading.
int NoSync(int) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    static const bool ready = [] {
        SetSyncCall(NoSync);
        fs::create_directories(fs::path(fuzz::ScratchDir()) / "Data" / "txt");
        return true;
    }();
    (void)ready;
    const fuzz::InFolder inScratch(fuzz::ScratchDir());
    fs::remove(kSaveFile);
    fuzz::WriteBytes(kStageFallbackFile, data, size);
    ReadProgress();
    fuzz::WriteBytes(kSaveFile, data, size);
    ReadProgress();
    // With a save present the fallback now holds 1.
    std::error_code ec;
    if (fs::file_size(kStageFallbackFile, ec) != 2) __builtin_trap();
    return 0;
}
