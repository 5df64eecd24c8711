#pragma once
// What the frame loop carries from one frame of a stage to the next besides the objects themselves:
// the devices' records, the mouse angles, the fade, the camera, the player's shared values and
// keys, the latches, the sound slots' records, the input served and the key queries counted. Kept and put back
// as one, so a stage can go on from an earlier frame.
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

struct LoopState {
    void Capture(JournalInput& input);
    void Restore(JournalInput& input) const;
    bool Captured() const { return fade.has_value(); }

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
