#pragma once
// How the two threads of a resource load are paced. The game's pacing lets the loader run flat out and
// sleeps 100 ms between loading-screen frames. A runner with a simulated clock installs its own pacing
// that steps loader and screen in lock step, so that the same load always shows the same pictures.
#include <cstdint>

class LoadPacing {
public:
    virtual ~LoadPacing() = default;

    // --- calling thread ---
    virtual void LoadStarted() {}

    // --- loader thread ---
    // The list has been read: total lines follow.
    virtual void ListRead(uint32_t total) { (void)total; }
    virtual void BeforeLine() {}
    virtual void AfterLine() {}

    // --- loading-screen thread ---
    // Before frame number frame (0 first) reads the progress.
    virtual void BeforeFrame(int frame) { (void)frame; }
    // Just before the frame is presented.
    virtual void BeforePresent() {}
    // Between two frames.
    virtual void BetweenFrames();
};

// Installs a pacing (null restores the game's own). It must outlive the loads that use it.
void SetLoadPacing(LoadPacing* pacing);
LoadPacing& CurrentLoadPacing();
