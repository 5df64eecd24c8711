#pragma once
// The input source of the headless runner: each frame's keys, pad and cursor movement come from the
// script. Pad 0 is connected when the script uses the pad; no other pad ever is.
#include "platform/input/Input.h"
#include "sim/InputScript.h"

class ScriptedInput : public platform::InputSource {
public:
    explicit ScriptedInput(const InputScript& script) : script(script) {}

    // Takes the input of the frame about to run: keys going down count as presses, the cursor moves.
    void BeginFrame(int frame);

    bool KeyDown(int vk) override { return vk >= 0 && vk < kVirtualKeyCount && current.keys[vk]; }
    uint32_t KeyPressCount(int vk) override { return vk >= 0 && vk < kVirtualKeyCount ? presses[vk] : 0; }
    POINT CursorPos() override;
    void SetCursorPos(POINT screen) override { cursor = screen; }
    bool Focused(HWND) override { return true; }
    bool PadState(DWORD user, XINPUT_GAMEPAD* pad) override;
    void SetVibration(DWORD user, WORD left, WORD right) override;

    XINPUT_VIBRATION LastVibration() const { return vibration; }

private:
    const InputScript& script;
    FrameInput current;
    std::array<uint32_t, kVirtualKeyCount> presses{};
    POINT cursor{400, 300};
    int pendingDx = 0;  // movement not yet seen by a cursor read
    int pendingDy = 0;
    XINPUT_VIBRATION vibration{};
};
