#include "scenes/MenuControls.h"

#include "app/GamePad.h"
#include "app/Mouse.h"
#include "scenes/EscLatch.h"

namespace {

constexpr int kStickLean = 16000;

bool Key(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

}  // namespace

std::array<bool, 5> MenuControls::Down() const {
    const XINPUT_GAMEPAD& pad = GamePad::GetInstance().Pad(0).state.Gamepad;
    auto button = [&](WORD bit) { return (pad.wButtons & bit) != 0; };
    return {Key(VK_UP) || button(XINPUT_GAMEPAD_DPAD_UP) || pad.sThumbLY > kStickLean,
            Key(VK_DOWN) || button(XINPUT_GAMEPAD_DPAD_DOWN) || pad.sThumbLY < -kStickLean,
            Key(VK_LEFT) || button(XINPUT_GAMEPAD_DPAD_LEFT) || pad.sThumbLX < -kStickLean,
            Key(VK_RIGHT) || button(XINPUT_GAMEPAD_DPAD_RIGHT) || pad.sThumbLX > kStickLean,
            Key(VK_RETURN) || Key(VK_SPACE) || Key(VK_LBUTTON) || button(XINPUT_GAMEPAD_A)};
}

void MenuControls::Prime() {
    held = Down();
    held[4] = true;  // the press that opened a menu does not choose in it
    mouseTravel = 0;
    EscLatch::Held() = EscLatch::Held() || Key(VK_ESCAPE);
}

MenuMoves MenuControls::Read() {
    const std::array<bool, 5> down = Down();
    std::array<bool, 5> pressed{};
    for (size_t i = 0; i < down.size(); ++i) {
        pressed[i] = down[i] && !held[i];
        held[i] = down[i];
    }
    MenuMoves moves{pressed[0], pressed[1], pressed[2], pressed[3], pressed[4], false};
    mouseTravel += Mouse::GetInstance().GetMovement().y;
    if (mouseTravel <= -kMouseStep || mouseTravel >= kMouseStep) {
        (mouseTravel < 0 ? moves.up : moves.down) = true;
        mouseTravel = 0;
    }
    const bool padBack = (GamePad::GetInstance().Pad(0).buttonsPressed & XINPUT_GAMEPAD_B) != 0;
    // Esc goes through the latch the scenes share, so the press that leaves a menu leaves nothing else.
    moves.back = EscLatch::Pressed() || padBack;
    return moves;
}
