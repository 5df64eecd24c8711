#pragma once
// The explorer's input source: each frame's keys and mouse movement are handed over as the frame
// begins, and read by the game exactly as the runner's scripted input reads a script's frame (presses
// counted as keys go down, the movement landing on the next cursor read), so that the recorded frames
// replay the same way through veldorin-sim.
#include "platform/input/Input.h"
#include "sim/InputScript.h"

class ExploreInput : public platform::InputSource {
public:
    void BeginFrame(const FrameInput& next);

    bool KeyDown(int vk) override { return vk >= 0 && vk < kVirtualKeyCount && current.keys[vk]; }
    uint32_t KeyPressCount(int vk) override { return vk >= 0 && vk < kVirtualKeyCount ? presses[vk] : 0; }
    POINT CursorPos() override;
    void SetCursorPos(POINT screen) override { cursor = screen; }
    bool Focused(HWND) override { return true; }
    // The explorer plays with keyboard and mouse only: no pad is ever connected.
    bool PadState(DWORD, XINPUT_GAMEPAD*) override { return false; }
    void SetVibration(DWORD, WORD, WORD) override {}

private:
    FrameInput current;
    std::array<uint32_t, kVirtualKeyCount> presses{};
    POINT cursor{400, 300};
    int pendingDx = 0;
    int pendingDy = 0;
};
