#include "objects/PlayerInput.h"

#include "app/GamePad.h"
#include "objects/PlayerKeys.h"

namespace {

constexpr int kStickY = 10000;  // the stick must lean further forward or back than sideways
constexpr int kStickX = 5000;

bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

PlayerInput PlayerInput::Read() {
    const PadRecord& pad = GamePad::GetInstance().Pad(0);
    const XINPUT_GAMEPAD& g = pad.state.Gamepad;
    auto button = [&](WORD bit) { return (g.wButtons & bit) != 0; };
    const PlayerKeys& keys = PlayerKeys::Current();
    PlayerInput in;
    const bool up = Held(keys.forward) || g.sThumbLY > kStickY || button(XINPUT_GAMEPAD_DPAD_UP);
    const bool down = Held(keys.backward) || g.sThumbLY < -kStickY || button(XINPUT_GAMEPAD_DPAD_DOWN);
    const bool toRight = Held(keys.right) || g.sThumbLX > kStickX || button(XINPUT_GAMEPAD_DPAD_RIGHT);
    const bool toLeft = Held(keys.left) || g.sThumbLX < -kStickX || button(XINPUT_GAMEPAD_DPAD_LEFT);
    in.forward = up;
    in.backward = down && !up;
    in.right = toRight;
    in.left = toLeft && !toRight;
    in.fire = Held(keys.fire) || button(XINPUT_GAMEPAD_RIGHT_SHOULDER);
    in.jump = GetAsyncKeyState(keys.jump) != 0 || (pad.buttonsPressed & XINPUT_GAMEPAD_A) != 0;
    return in;
}
