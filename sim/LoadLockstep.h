#pragma once
// The runner's pacing of resource loads: the loading screen and the loader take turns, so a load shows
// the same pictures on every run. Frame k of the screen sees exactly min(total, k x step) lines done,
// step being a tenth of the list (at least one line): every load shows 0 %, about 10 %, ... 100 % and
// then its last frame at 100 %, whatever its length. No time passes on the simulated clock.
#include <condition_variable>
#include <functional>
#include <mutex>

#include "loading/LoadPacing.h"

class LoadLockstep : public LoadPacing {
public:
    // Called on the screen thread just before each loading picture is presented (picture counts
    // from 1 within the current main-loop frame).
    std::function<void()> onPresent;

    void LoadStarted() override;
    void ListRead(uint32_t total) override;
    void BeforeLine() override;
    void AfterLine() override;
    void BeforeFrame(int frame) override;
    void BeforePresent() override;
    void BetweenFrames() override {}

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool listRead = false;
    uint32_t total = 0;
    uint32_t allowed = 0;
    uint32_t finished = 0;
};
