#include "objects/PlayerInput.h"

#include "app/GamePad.h"

namespace {

constexpr int kStickY = 10000;  // the stick must lean further forward or back than sideways
constexpr int kStickX = 5000;

bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

PlayerInput PlayerInput::Read() {
    const PadRecord& pad = GamePad::GetInstance().Pad(0);
    const XINPUT_GAMEPAD& g = pad.state.Gamepad;
    auto button = [&](WORD bit) { return (g.wButtons & bit) != 0; };
    PlayerInput in;
    const bool up = Held('W') || g.sThumbLY > kStickY || button(XINPUT_GAMEPAD_DPAD_UP);
    const bool down = Held('S') || g.sThumbLY < -kStickY || button(XINPUT_GAMEPAD_DPAD_DOWN);
    const bool toRight = Held('D') || g.sThumbLX > kStickX || button(XINPUT_GAMEPAD_DPAD_RIGHT);
    const bool toLeft = Held('A') || g.sThumbLX < -kStickX || button(XINPUT_GAMEPAD_DPAD_LEFT);
    in.forward = up;
    in.backward = down && !up;
    in.right = toRight;
    in.left = toLeft && !toRight;
    in.fire = Held(VK_LBUTTON) || button(XINPUT_GAMEPAD_RIGHT_SHOULDER);
    in.jump = GetAsyncKeyState(VK_SPACE) != 0 || (pad.buttonsPressed & XINPUT_GAMEPAD_A) != 0;
    return in;
}
