#pragma once
// What the input devices hold during one frame, as the game reads them: the keys and mouse buttons
// down, pad 0's buttons, triggers and thumbs, and the mouse's movement.
#include <bitset>

#include "platform/input/Input.h"

struct FrameInput {
    std::bitset<kVirtualKeyCount> keys;  // a bit a key: a journal keeps one of these for every frame
    XINPUT_GAMEPAD pad{};
    int mouseDx = 0;
    int mouseDy = 0;
};

inline bool operator==(const FrameInput& a, const FrameInput& b) {
    const XINPUT_GAMEPAD &p = a.pad, &q = b.pad;
    return a.keys == b.keys && a.mouseDx == b.mouseDx && a.mouseDy == b.mouseDy && p.wButtons == q.wButtons &&
           p.bLeftTrigger == q.bLeftTrigger && p.bRightTrigger == q.bRightTrigger && p.sThumbLX == q.sThumbLX &&
           p.sThumbLY == q.sThumbLY && p.sThumbRX == q.sThumbRX && p.sThumbRY == q.sThumbRY;
}
