#pragma once
// What the player chose in the options, kept between runs. The defaults are the game as designed:
// full volumes, the mouse's 4 pixels per degree, upright look, the designed keys, and the full-screen
// question asked at every start.
#include "objects/PlayerKeys.h"
#include "platform/Platform.h"

enum class WindowMode { Ask, Window, FullScreen };

struct GameSettings {
    static constexpr int kMaxVolume = 100;  // percent
    static constexpr int kMinMouse = 25;    // percent of the designed sensitivity
    static constexpr int kMaxMouse = 400;

    int musicVolume = kMaxVolume;
    int effectsVolume = kMaxVolume;
    int mouseSensitivity = 100;
    bool invertLook = false;
    WindowMode windowMode = WindowMode::Ask;
    platform::PictureQuality picture = platform::PictureQuality::Auto;
    PlayerKeys keys;

    bool operator==(const GameSettings&) const = default;
};
