#include "app/Mouse.h"

#include "app/GamePad.h"

namespace {
// Degrees per frame at full deflection of pad 0's right thumb.
constexpr float kPadPitchRate = 1.5f;
constexpr float kPadYawRate = 2.5f;
constexpr float kThumbRange = 32768.0f;
}  // namespace

Mouse& Mouse::GetInstance() {
    static Mouse instance;
    return instance;
}

void Mouse::Init() {
    SetLook(lookPercent, invertLook);
    UpdateCentre();
    pinned = IsWindowFocused(window);
    if (pinned) SetCursorPos(centre.x, centre.y);
    cursorVisible = false;
    ApplyCursorVisibility();
    verticalAngle = 0.0f;
}

void Mouse::Update() { Update(GamePad::GetInstance()); }

void Mouse::Update(const GamePad& pads) {
    const bool focused = IsWindowFocused(window);
    POINT cursor{};
    // Movement is measured from where the cursor was pinned. A cursor that was not pinned (the focus
    // just came back) has wandered: that is no movement.
    movement = POINT{};
    if (focused && pinned && GetCursorPos(&cursor)) movement = POINT{cursor.x - centre.x, cursor.y - centre.y};
    if (!held) {
        const float upright = invertLook ? -1.0f : 1.0f;
        verticalAngle += upright * static_cast<float>(movement.y) / sensitivity;
        horizontalAngle += static_cast<float>(movement.x) / sensitivity;
        AddPadThumb(pads);
    }
    ClampAngles();
    if (focused) {
        UpdateCentre();  // the window may have moved
        SetCursorPos(centre.x, centre.y);
    }
    pinned = focused;
    ApplyCursorVisibility();
}

void Mouse::SetLook(int percent, bool inverted) {
    lookPercent = percent > 0 ? percent : 100;
    invertLook = inverted;
    sensitivity = kBaseSensitivity * 100.0f / static_cast<float>(lookPercent);
}

void Mouse::Recenter() {
    verticalAngle = 0.0f;
    horizontalAngle = 0.0f;
    if (IsWindowFocused(window)) {
        UpdateCentre();
        SetCursorPos(centre.x, centre.y);
        pinned = true;
    }
}

void Mouse::UpdateCentre() {
    POINT point{kCentreX, kCentreY};
    if (ClientToScreen(window, &point)) centre = point;
}

void Mouse::AddPadThumb(const GamePad& pads) {
    const XINPUT_GAMEPAD& pad = pads.Pad(0).state.Gamepad;
    const float upright = invertLook ? -1.0f : 1.0f;
    verticalAngle -= upright * static_cast<float>(pad.sThumbRY) / kThumbRange * kPadPitchRate;
    horizontalAngle += static_cast<float>(pad.sThumbRX) / kThumbRange * kPadYawRate;
}

void Mouse::ClampAngles() {
    if (verticalAngle > kMaxVertical) verticalAngle = kMaxVertical;
    if (verticalAngle < kMinVertical) verticalAngle = kMinVertical;
    if (horizontalAngle > kHorizontalLimit || horizontalAngle < -kHorizontalLimit) horizontalAngle = 0.0f;
}

void Mouse::ApplyCursorVisibility() {
    // ShowCursor keeps a counter: telling it only about changes keeps one call per change.
    if (cursorVisible == cursorShown) return;
    ShowCursor(cursorVisible);
    cursorShown = cursorVisible;
}
