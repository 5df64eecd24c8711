#include "scenes/EscLatch.h"

#include "app/GamePad.h"
#include "platform/input/Input.h"

namespace {

// True on the first frame a control reads as down, by its latch; the latch clears once it reads up.
bool Latched(bool down, bool& held) {
    if (!down) {
        held = false;
        return false;
    }
    if (held) return false;
    held = true;
    return true;
}

}  // namespace

bool EscLatch::Pressed() { return Latched((GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0, Held()); }

bool RestartLatch::Pressed() {
    const bool back = (GamePad::GetInstance().Pad(0).state.Gamepad.wButtons & XINPUT_GAMEPAD_BACK) != 0;
    return Latched((GetAsyncKeyState('R') & 0x8000) != 0 || back, Held());
}
