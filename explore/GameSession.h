#pragma once
// The whole game on the headless platform for one explorer run, set up and stepped as veldorin-sim
// runs it (simulated clock, lock-step loads, message boxes answered "window", the same main-loop
// frame), with the explorer's input. Every value game logic keeps between runs of one process (the
// player's program-wide values, the Esc and R latches, the fade, the mouse angles; a restart's kept
// values are settled as a session ends) is put back to its start first, so a run here plays as the same input plays in a new
// runner process. One session at a time.
#include <filesystem>
#include <memory>

#include "explore/ExploreInput.h"
#include "platform/sys/Clock.h"
#include "sim/LoadLockstep.h"

class SceneMgr;

class GameSession {
public:
    static constexpr uint32_t kFrameMs = 16;

    // Starts the game in the content tree at root, in the scene (a stage scene plays stage); first is
    // the input of frame 1.
    GameSession(const std::filesystem::path& root, int scene, int stage, ExploreInput& input,
                const FrameInput& first);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    bool Started() const { return scenes != nullptr; }
    // One main-loop frame; false when the game asked to quit (it runs no further frame then).
    bool RunFrame();
    // The clock moves on by a frame and the next frame's input is handed over.
    void Advance(const FrameInput& next);

private:
    static void ResetProgramState();

    ExploreInput& input;
    platform::SimulatedClock clock;
    LoadLockstep pacing;
    std::unique_ptr<SceneMgr> scenes;
    std::filesystem::path previousDir;
};
