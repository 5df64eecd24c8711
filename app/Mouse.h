#pragma once
// The mouse as a relative camera control: the cursor stays hidden and pinned to the centre of the
// client area, and each frame's displacement (plus the pad's right thumb) turns into two angles.
// Where the desktop offers relative motion the platform captures the pointer and the cursor calls
// read that motion, so "pinned" needs no warping of the real cursor (platform/input/MouseCapture.h).
#include "platform/input/Input.h"

class GamePad;

class Mouse {
public:
    static constexpr float kBaseSensitivity = 4.0f;  // pixels per degree
    static constexpr float kMaxVertical = 30.0f;
    static constexpr float kMinVertical = -5.0f;
    static constexpr float kHorizontalLimit = 360.0f;  // beyond it the angle snaps back to 0
    static constexpr int kCentreX = 400;               // client point the cursor is pinned to
    static constexpr int kCentreY = 300;

    static Mouse& GetInstance();
    // A mouse of its own (the singleton is the one the game polls).
    Mouse() = default;

    // --- life ---
    void SetWindow(HWND hwnd) { window = hwnd; }
    // Takes the base sensitivity, pins the cursor to the centre and hides it.
    void Init();

    // --- per frame ---
    // Adds this frame's displacement and pad 0's right thumb to the angles, clamps them and pins
    // the cursor again. While the window lacks the focus the cursor is left alone.
    void Update(const GamePad& pads);
    void Update();
    // Clears both angles and puts the cursor back on the centre.
    void Recenter();

    // --- state ---
    float GetVerticalAngle() const { return verticalAngle; }
    float GetHorizontalAngle() const { return horizontalAngle; }
    POINT GetCentre() const { return centre; }
    float GetSensitivity() const { return sensitivity; }
    // The player's look: percent of the base sensitivity (100 turns 4 pixels into a degree) and an
    // upside-down vertical look (mouse and right thumb alike). Takes effect at once and outlasts Init.
    void SetLook(int percent, bool inverted);
    int GetLookPercent() const { return lookPercent; }
    bool IsLookInverted() const { return invertLook; }
    // While held (a paused game), movement turns nothing; it is still measured for the menus.
    void SetHeld(bool on) { held = on; }
    // This frame's displacement in pixels.
    POINT GetMovement() const { return movement; }
    void SetCursorVisible(bool visible) { cursorVisible = visible; }

private:
    void UpdateCentre();
    void AddPadThumb(const GamePad& pads);
    void ClampAngles();
    void ApplyCursorVisibility();

    POINT centre{};
    float sensitivity = kBaseSensitivity;
    HWND window = nullptr;
    float verticalAngle = 0.0f;
    float horizontalAngle = 0.0f;
    bool cursorVisible = false;
    bool cursorShown = true;  // what ShowCursor was last told (the system starts with it shown)
    bool pinned = false;      // the cursor sat on the centre after the previous poll
    int lookPercent = 100;
    bool invertLook = false;
    bool held = false;
    POINT movement{};
};
