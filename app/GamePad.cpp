#include "app/GamePad.h"

namespace {

uint16_t StickBits(const XINPUT_GAMEPAD& pad) {
    return static_cast<uint16_t>((pad.sThumbLX != 0 ? 8 : 0) | (pad.sThumbLY != 0 ? 4 : 0) |
                                 (pad.sThumbRX != 0 ? 2 : 0) | (pad.sThumbRY != 0 ? 1 : 0));
}

uint8_t TriggerBits(const XINPUT_GAMEPAD& pad) {
    return static_cast<uint8_t>((pad.bLeftTrigger != 0 ? 2 : 0) | (pad.bRightTrigger != 0 ? 1 : 0));
}

// Bits that became set / became clear between two readings.
template <typename T>
T Rising(T before, T now) { return static_cast<T>((before ^ now) & now); }
template <typename T>
T Falling(T before, T now) { return static_cast<T>((before ^ now) & before); }

}  // namespace

void ApplySquareDeadZone(SHORT& x, SHORT& y, int zone) {
    if (x > -zone && x < zone && y > -zone && y < zone) x = y = 0;
}

GamePad& GamePad::GetInstance() {
    static GamePad instance;
    return instance;
}

void GamePad::Update() {
    for (DWORD i = 0; i < static_cast<DWORD>(kPadCount); ++i) {
        if (!PollOne(pads[i], i)) return;
    }
}

bool GamePad::PollOne(PadRecord& pad, DWORD index) {
    XInputSetState(index, &pad.vibration);
    pad.vibration = XINPUT_VIBRATION{};

    const WORD oldButtons = pad.state.Gamepad.wButtons;
    const uint16_t oldSticks = pad.stickBits;
    const uint8_t oldTriggers = pad.triggerBits;

    pad.state = XINPUT_STATE{};
    if (XInputGetState(index, &pad.state) != ERROR_SUCCESS) return false;

    XINPUT_GAMEPAD& g = pad.state.Gamepad;
    ApplySquareDeadZone(g.sThumbLX, g.sThumbLY, kLeftDeadZone);
    ApplySquareDeadZone(g.sThumbRX, g.sThumbRY, kRightDeadZone);
    pad.stickBits = StickBits(g);
    pad.triggerBits = TriggerBits(g);

    pad.buttonsPressed = Rising<uint16_t>(oldButtons, g.wButtons);
    pad.buttonsReleased = Falling<uint16_t>(oldButtons, g.wButtons);
    pad.stickPressed = Rising(oldSticks, pad.stickBits);
    pad.stickReleased = Falling(oldSticks, pad.stickBits);
    pad.triggerEdges = static_cast<uint8_t>(Falling(oldTriggers, pad.triggerBits) |
                                            (Rising(oldTriggers, pad.triggerBits) << 2));
    return true;
}
