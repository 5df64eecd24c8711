#pragma once
// Taking a stage back to an earlier frame of its journal: the stage is built again from its placement
// file, everything the frame loop carries from frame to frame (the devices' records, the mouse angles,
// the fade, the camera, the player's shared values, the latches, the sound slots' records, the input
// served) is put back as it was when the stage started, and the journal's frames are played again up
// to the one asked for, without drawing and without sound. The game is deterministic, so the world is
// then exactly what a straight play of those frames gives.
#include <array>
#include <optional>

#include "app/GamePad.h"
#include "app/JournalInput.h"
#include "app/Mouse.h"
#include "graphics/Camera.h"
#include "objects/Player.h"
#include "objects/PlayerKeys.h"
#include "scenes/Fade.h"
#include "sound/SoundManager.h"

class GameScene;
class Journal;
class LogicClock;

class StageRewind {
public:
    // At the end of the stage's Initialize. devicesDone: the first frame's devices were already read
    // (the stage started inside that frame).
    void Capture(int stage, bool devicesDone, JournalInput& input);
    bool Captured() const { return fade.has_value(); }
    // Plays the journal's first frames frames again (1 at least).
    void Resimulate(GameScene& scene, const Journal& journal, int frames, JournalInput& input,
                    LogicClock& clock) const;

private:
    void Restore(JournalInput& input) const;

    int stage = 0;
    bool devicesDone = false;
    Mouse mouse;
    GamePad pads;
    std::optional<Fade> fade;
    std::optional<Camera> camera;
    PlayerShared shared;
    PlayerKeys keys;
    bool escHeld = false;
    bool restartHeld = false;
    SoundManager::Timings sounds{};
    JournalInput::Served served;
    std::array<uint32_t, kVirtualKeyCount> keyQueries{};
};
