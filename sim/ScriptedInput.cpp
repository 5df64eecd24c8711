#include "sim/ScriptedInput.h"

void ScriptedInput::BeginFrame(int frame) {
    const FrameInput next = script.At(frame);
    for (int vk = 0; vk < kVirtualKeyCount; ++vk) {
        if (next.keys[vk] && !current.keys[vk]) ++presses[vk];
    }
    current = next;
    // The hand moves the mouse during the frame: the movement lands wherever the cursor is when it
    // is next read, even if the game warps the cursor in between.
    pendingDx += next.mouseDx;
    pendingDy += next.mouseDy;
}

POINT ScriptedInput::CursorPos() {
    cursor.x += pendingDx;
    cursor.y += pendingDy;
    pendingDx = pendingDy = 0;
    return cursor;
}

bool ScriptedInput::PadState(DWORD user, XINPUT_GAMEPAD* pad) {
    if (user != 0 || !script.UsesPad() || !pad) return false;
    *pad = current.pad;
    return true;
}

void ScriptedInput::SetVibration(DWORD user, WORD left, WORD right) {
    if (user == 0) vibration = XINPUT_VIBRATION{left, right};
}
