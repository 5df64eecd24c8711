// The input source of the game: SDL's keyboard, mouse and game controllers.
#include <SDL.h>

#include <array>

#include "platform/Platform.h"
#include "platform/input/Input.h"
#include "platform/input/MouseCapture.h"
#include "platform/input/SdlPads.h"
#include "platform/sys/WindowInternal.h"

namespace platform {
namespace {

SDL_Scancode ScancodeOf(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - 'A'));
    if (vk >= '1' && vk <= '9') return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - '1'));
    switch (vk) {
        case '0': return SDL_SCANCODE_0;
        case VK_RETURN: return SDL_SCANCODE_RETURN;
        case VK_SHIFT: return SDL_SCANCODE_LSHIFT;
        case VK_ESCAPE: return SDL_SCANCODE_ESCAPE;
        case VK_SPACE: return SDL_SCANCODE_SPACE;
        case VK_LEFT: return SDL_SCANCODE_LEFT;
        case VK_UP: return SDL_SCANCODE_UP;
        case VK_RIGHT: return SDL_SCANCODE_RIGHT;
        case VK_DOWN: return SDL_SCANCODE_DOWN;
        case VK_BACK: return SDL_SCANCODE_BACKSPACE;
        case VK_F8: return SDL_SCANCODE_F8;
        default: return SDL_SCANCODE_UNKNOWN;
    }
}

int VirtualKeyOf(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    switch (code) {
        case SDL_SCANCODE_0: return '0';
        case SDL_SCANCODE_RETURN: return VK_RETURN;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
        case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
        case SDL_SCANCODE_SPACE: return VK_SPACE;
        case SDL_SCANCODE_LEFT: return VK_LEFT;
        case SDL_SCANCODE_UP: return VK_UP;
        case SDL_SCANCODE_RIGHT: return VK_RIGHT;
        case SDL_SCANCODE_DOWN: return VK_DOWN;
        case SDL_SCANCODE_BACKSPACE: return VK_BACK;
        case SDL_SCANCODE_F8: return VK_F8;
        default: return 0;
    }
}

class SdlInput : public InputSource {
public:
    bool KeyDown(int vk) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
        if (vk == VK_LBUTTON) return SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_LEFT);
        if (vk == VK_RBUTTON) return SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_RIGHT);
        const SDL_Scancode code = ScancodeOf(vk);
        return code != SDL_SCANCODE_UNKNOWN && SDL_GetKeyboardState(nullptr)[code];
    }
    uint32_t KeyPressCount(int vk) override { return vk >= 0 && vk < kVirtualKeyCount ? presses[vk] : 0; }
    POINT CursorPos() override {
        if (capture.Active()) return capture.Cursor();
        int x = 0, y = 0;
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&x, &y);
        return POINT{x, y};
    }
    void SetCursorPos(POINT p) override {
        if (capture.Active()) {
            capture.Anchor(p);
        } else if (SDL_WasInit(SDL_INIT_VIDEO)) {
            SDL_WarpMouseGlobal(p.x, p.y);
        }
    }
    bool Focused(HWND hwnd) override {
        return hwnd && hwnd->sdl && SDL_GetKeyboardFocus() == hwnd->sdl;
    }
    bool PadState(DWORD user, XINPUT_GAMEPAD* out) override { return pads.State(user, out); }
    void SetVibration(DWORD user, WORD left, WORD right) override { pads.Rumble(user, left, right); }

    void Feed(const SDL_Event& e) {
        capture.Feed(e);
        switch (e.type) {
            case SDL_KEYDOWN:
                if (!e.key.repeat) ++presses[VirtualKeyOf(e.key.keysym.scancode) & 0xFF];
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT) ++presses[VK_LBUTTON];
                if (e.button.button == SDL_BUTTON_RIGHT) ++presses[VK_RBUTTON];
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
                pads.Feed(e);
                break;
            default:
                break;
        }
    }

    MouseCapture capture;

private:
    std::array<uint32_t, kVirtualKeyCount> presses{};
    SdlPads pads;
};

SdlInput& Sdl() {
    static SdlInput input;
    return input;
}

InputSource* installed = nullptr;
std::array<uint32_t, kVirtualKeyCount> seenPresses{};
int cursorCounter = 0;
// Per user index: the last state read and its packet number, which changes with the state.
std::array<XINPUT_GAMEPAD, XUSER_MAX_COUNT> lastPads{};
std::array<DWORD, XUSER_MAX_COUNT> packets{};

bool SamePad(const XINPUT_GAMEPAD& a, const XINPUT_GAMEPAD& b) {
    return a.wButtons == b.wButtons && a.bLeftTrigger == b.bLeftTrigger && a.bRightTrigger == b.bRightTrigger &&
           a.sThumbLX == b.sThumbLX && a.sThumbLY == b.sThumbLY && a.sThumbRX == b.sThumbRX &&
           a.sThumbRY == b.sThumbRY;
}

}  // namespace

void SetInputSource(InputSource* source, bool keepCapture) {
    installed = source;
    seenPresses.fill(0);
    Sdl().capture.SetEnabled(source == nullptr || keepCapture);
}

InputSource& SdlInputSource() { return Sdl(); }

std::array<uint32_t, kVirtualKeyCount>& KeyQueryCounts() { return seenPresses; }

InputSource& GetInputSource() { return installed ? *installed : Sdl(); }

void FeedSdlInputEvent(const void* sdlEvent) { Sdl().Feed(*static_cast<const SDL_Event*>(sdlEvent)); }

void UpdateMouseCapture() { Sdl().capture.Update(); }

bool MouseCaptured() { return Sdl().capture.Active(); }

}  // namespace platform

SHORT GetAsyncKeyState(int vk) {
    if (vk < 0 || vk >= kVirtualKeyCount) return 0;
    auto& source = platform::GetInputSource();
    const uint32_t presses = source.KeyPressCount(vk);
    const bool pressedSince = presses != platform::seenPresses[vk];
    platform::seenPresses[vk] = presses;
    return static_cast<SHORT>((source.KeyDown(vk) ? 0x8000 : 0) | (pressedSince ? 1 : 0));
}

bool GetCursorPos(POINT* point) {
    if (!point) return false;
    *point = platform::GetInputSource().CursorPos();
    return true;
}

bool SetCursorPos(int x, int y) {
    platform::GetInputSource().SetCursorPos(POINT{x, y});
    return true;
}

bool ClientToScreen(HWND hwnd, POINT* point) {
    if (!hwnd || !point) return false;
    int x = hwnd->outer.left, y = hwnd->outer.top;
    if (hwnd->sdl) SDL_GetWindowPosition(hwnd->sdl, &x, &y);
    point->x += x;
    point->y += y;
    return true;
}

int ShowCursor(bool show) {
    const int before = platform::cursorCounter;
    platform::cursorCounter += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO) && (before >= 0) != (platform::cursorCounter >= 0)) {
        SDL_ShowCursor(platform::cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    platform::Sdl().capture.SetCursorHidden(platform::cursorCounter < 0);
    return platform::cursorCounter;
}

bool IsWindowFocused(HWND hwnd) { return platform::GetInputSource().Focused(hwnd); }

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state) {
    if (!state || userIndex >= XUSER_MAX_COUNT) return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_GAMEPAD pad{};
    if (!platform::GetInputSource().PadState(userIndex, &pad)) return ERROR_DEVICE_NOT_CONNECTED;
    if (!platform::SamePad(pad, platform::lastPads[userIndex])) ++platform::packets[userIndex];
    platform::lastPads[userIndex] = pad;
    state->dwPacketNumber = platform::packets[userIndex];
    state->Gamepad = pad;
    return ERROR_SUCCESS;
}

DWORD XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration) {
    if (!vibration || userIndex >= XUSER_MAX_COUNT) return ERROR_DEVICE_NOT_CONNECTED;
    platform::GetInputSource().SetVibration(userIndex, vibration->wLeftMotorSpeed, vibration->wRightMotorSpeed);
    return ERROR_SUCCESS;
}
