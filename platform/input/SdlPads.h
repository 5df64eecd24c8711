#pragma once
// SDL game controllers as the four XInput user indices: the first four connected controllers in
// the order they came, read in the XInput layout. Controllers plugged in or out while the game runs
// are picked up from SDL's device events.
#include <SDL.h>

#include <vector>

#include "platform/input/Input.h"
#include "platform/input/SdlAxes.h"

namespace platform {

class SdlPads {
public:
    // Controller added/removed events; others are ignored.
    void Feed(const SDL_Event& e);
    // False when no controller sits at that user index.
    bool State(DWORD user, XINPUT_GAMEPAD* out) const;
    // Motor speeds held until the next call; repeated silence is not sent again.
    void Rumble(DWORD user, WORD left, WORD right);

private:
    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);
    // Fills free user indices from controllers that were left out while all four were taken.
    void OpenWaiting();
    bool IsOpen(SDL_JoystickID id) const;

    struct Pad {
        SDL_GameController* controller;
        SDL_JoystickID id;
        bool rumbling;
    };
    std::vector<Pad> pads;  // user index order
};

// One controller's state in the XInput layout: y axes grow upwards, triggers are 8 bits.
XINPUT_GAMEPAD ReadSdlController(SDL_GameController* controller);

}  // namespace platform
