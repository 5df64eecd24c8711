#pragma once
// The input source the frame loop reads through while it journals. Once a frame it takes what the
// devices under it hold (Sample) or what a journal says they held (Serve), and for the rest of the
// frame the game reads that, the way the runner's script input serves a frame: keys going down count
// as presses, the mouse's movement lands where the cursor is next read. So the game reads exactly what
// the journal keeps, live or played back.
#include "app/FrameInput.h"
#include "platform/input/Input.h"

class JournalInput : public platform::InputSource {
public:
    // What the game reads between frames; copied to take a frame back.
    struct Served {
        FrameInput current;
        std::array<uint32_t, kVirtualKeyCount> presses{};
        POINT cursor{400, 300};
        int pendingDx = 0;
        int pendingDy = 0;
        bool padConnected = false;
    };

    // pinned: where the game last put the cursor; focused: whether the window had the focus then.
    JournalInput(platform::InputSource& devices, POINT pinned, bool focused)
        : devices(devices), deviceCursor(pinned), wasFocused(focused) {
        served.cursor = pinned;
    }

    // The devices' input of the frame about to run: every key down now or pressed since the last
    // sample, pad 0, and the cursor's movement since it was last read or placed (none while the window
    // lacks the focus, or just got it back); padConnected tells whether pad 0 answered.
    FrameInput Sample(HWND window, bool& padConnected);
    // Serves a frame's input to the game.
    void Serve(const FrameInput& input, bool padConnected);

    Served& State() { return served; }
    platform::InputSource& Devices() { return devices; }

    bool KeyDown(int vk) override { return vk >= 0 && vk < kVirtualKeyCount && served.current.keys[vk]; }
    uint32_t KeyPressCount(int vk) override { return vk >= 0 && vk < kVirtualKeyCount ? served.presses[vk] : 0; }
    POINT CursorPos() override;
    void SetCursorPos(POINT screen) override;
    // A journal played back reads as focused throughout, as the runner's script does.
    bool Focused(HWND hwnd) override { return playingBack || devices.Focused(hwnd); }
    bool playingBack = false;
    bool PadState(DWORD user, XINPUT_GAMEPAD* pad) override;
    void SetVibration(DWORD user, WORD left, WORD right) override { devices.SetVibration(user, left, right); }

private:
    platform::InputSource& devices;
    Served served;
    std::array<uint32_t, kVirtualKeyCount> devicePresses{};
    POINT deviceCursor;  // where the devices' cursor was last read or placed
    bool wasFocused;
};
