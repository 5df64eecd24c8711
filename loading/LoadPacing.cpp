#include "loading/LoadPacing.h"

#include <atomic>

#include "platform/sys/Win32.h"

namespace {
std::atomic<LoadPacing*> installed{nullptr};
}

// The loading screen runs at about ten frames a second and leaves the rest of the time to the loader.
void LoadPacing::BetweenFrames() { Sleep(100); }

void SetLoadPacing(LoadPacing* pacing) { installed.store(pacing); }

LoadPacing& CurrentLoadPacing() {
    static LoadPacing gamePacing;
    LoadPacing* pacing = installed.load();
    return pacing ? *pacing : gamePacing;
}
