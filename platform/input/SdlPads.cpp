#include "platform/input/SdlPads.h"

#include <algorithm>
#include <utility>

namespace platform {

SHORT ThumbFromSdl(int value, bool isYAxis) {
    value = std::clamp(value, -32768, 32767);
    if (!isYAxis) return static_cast<SHORT>(value);
    // Up is positive in the pad record; -32768 has no positive twin.
    return static_cast<SHORT>(value == -32768 ? 32767 : -value);
}

BYTE TriggerFromSdl(int value) { return static_cast<BYTE>(std::clamp(value, 0, 32767) * 255 / 32767); }

XINPUT_GAMEPAD ReadSdlController(SDL_GameController* pad) {
    static const std::pair<SDL_GameControllerButton, WORD> kButtons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
        {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
        {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
        {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
        {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
        {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
    };
    XINPUT_GAMEPAD state{};
    for (const auto& [button, bit] : kButtons) {
        if (SDL_GameControllerGetButton(pad, button)) state.wButtons |= bit;
    }
    state.bLeftTrigger = TriggerFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.bRightTrigger = TriggerFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    state.sThumbLX = ThumbFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX), false);
    state.sThumbLY = ThumbFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY), true);
    state.sThumbRX = ThumbFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX), false);
    state.sThumbRY = ThumbFromSdl(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY), true);
    return state;
}

void SdlPads::Feed(const SDL_Event& e) {
    if (e.type == SDL_CONTROLLERDEVICEADDED) Open(e.cdevice.which);  // a device index
    if (e.type == SDL_CONTROLLERDEVICEREMOVED) Close(e.cdevice.which);  // an instance id
}

bool SdlPads::State(DWORD user, XINPUT_GAMEPAD* out) const {
    if (user >= pads.size() || !out) return false;
    *out = ReadSdlController(pads[user].controller);
    return true;
}

void SdlPads::Rumble(DWORD user, WORD left, WORD right) {
    if (user >= pads.size()) return;
    Pad& pad = pads[user];
    const bool on = left != 0 || right != 0;
    if (!on && !pad.rumbling) return;
    // The motors run until the next call, which comes every frame while the game polls.
    SDL_GameControllerRumble(pad.controller, left, right, 0xFFFFFFFFu);
    pad.rumbling = on;
}

void SdlPads::Open(int deviceIndex) {
    if (pads.size() >= XUSER_MAX_COUNT) return;
    // SDL announces the controllers present at start-up as well; each is opened once.
    if (IsOpen(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    pads.push_back(Pad{controller, id, false});
}

void SdlPads::Close(SDL_JoystickID id) {
    for (auto pad = pads.begin(); pad != pads.end(); ++pad) {
        if (pad->id != id) continue;
        SDL_GameControllerClose(pad->controller);
        pads.erase(pad);  // the later pads move down one user index
        OpenWaiting();
        return;
    }
}

void SdlPads::OpenWaiting() {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && pads.size() < XUSER_MAX_COUNT; ++i) {
        if (SDL_IsGameController(i)) Open(i);
    }
}

bool SdlPads::IsOpen(SDL_JoystickID id) const {
    return std::any_of(pads.begin(), pads.end(), [id](const Pad& pad) { return pad.id == id; });
}

}  // namespace platform
