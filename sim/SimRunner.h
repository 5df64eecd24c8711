#pragma once
// Runs the game's own Application for a number of frames with a simulated clock and scripted input,
// writing the per-frame dump and the requested screenshots.
#include <chrono>
#include <memory>
#include <ostream>
#include <set>
#include <utility>
#include <string>

#include "app/Application.h"
#include "platform/sys/Clock.h"
#include "sim/InputScript.h"
#include "sim/FrameProfile.h"
#include "sim/LoadLockstep.h"
#include "sim/ScriptedInput.h"
#include "sim/SimOptions.h"

class SimRunner : public FrameObserver {
public:
    static constexpr uint32_t kFrameMs = 16;

    // dump may be null (no dump requested).
    SimRunner(const SimOptions& options, const InputScript& script, std::ostream* dump);
    ~SimRunner() override;

    // Runs the game; returns the process exit status (0 unless the runner itself failed).
    int Run(std::ostream& out, std::ostream& err);

    void BeforePresent(int frame) override;
    bool AfterFrame(int frame) override;

private:
    void Screenshot(const std::string& path, const std::string& what);
    void LoadingPicture();
    // With --shots-only: whether main-loop frame F, and the loads inside it, draw pixels.
    void DrawPixelsIn(int frame) const;

    const SimOptions& options;
    const InputScript& script;
    std::ostream* dump;
    std::ostream* out = nullptr;
    std::string dumpLine;  // one frame's dump, its storage reused from frame to frame
    std::ostream* err = nullptr;
    ScriptedInput input;
    platform::SimulatedClock clock;
    LoadLockstep loadPacing;
    int loadPictures = 0;
    std::set<std::pair<int, int>> takenLoadScreenshots;  // loading-screen pictures since the last main-loop frame
    int framesRun = 0;
    int lastScene = 0;
    bool failed = false;
    std::unique_ptr<FrameProfile> profile;  // with --profile
    std::chrono::steady_clock::time_point frameEnd;  // with --real-time: when the last frame's 16 ms ran out
};
