#include "app/JournalInput.h"

FrameInput JournalInput::Sample(HWND window, bool& padConnected) {
    FrameInput in;
    for (int vk = 1; vk < kVirtualKeyCount; ++vk) {
        const uint32_t count = devices.KeyPressCount(vk);
        in.keys[vk] = devices.KeyDown(vk) || count != devicePresses[vk];
        devicePresses[vk] = count;
    }
    XINPUT_GAMEPAD pad{};
    padConnected = devices.PadState(0, &pad);
    if (padConnected) in.pad = pad;
    const bool focused = devices.Focused(window);
    const POINT now = devices.CursorPos();
    if (focused && wasFocused) {
        in.mouseDx = now.x - deviceCursor.x;
        in.mouseDy = now.y - deviceCursor.y;
    }
    deviceCursor = now;
    wasFocused = focused;
    return in;
}

void JournalInput::Serve(const FrameInput& next, bool padConnected) {
    for (int vk = 0; vk < kVirtualKeyCount; ++vk) {
        if (next.keys[vk] && !served.current.keys[vk]) ++served.presses[vk];
    }
    served.current = next;
    served.pendingDx += next.mouseDx;
    served.pendingDy += next.mouseDy;
    served.padConnected = padConnected;
}

POINT JournalInput::CursorPos() {
    served.cursor.x += served.pendingDx;
    served.cursor.y += served.pendingDy;
    served.pendingDx = served.pendingDy = 0;
    return served.cursor;
}

void JournalInput::SetCursorPos(POINT screen) {
    served.cursor = screen;
    // The devices' pointer is pinned with the game's, so the next sample measures from there.
    devices.SetCursorPos(screen);
    deviceCursor = screen;
}

bool JournalInput::PadState(DWORD user, XINPUT_GAMEPAD* pad) {
    if (user != 0 || !served.padConnected || !pad) return false;
    *pad = served.current.pad;
    return true;
}
