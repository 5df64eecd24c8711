#pragma once
// An input source the tests set by hand: keys held, pads per user index, a cursor, the focus, and a log of
// what the game sent back (vibration, cursor warps, pad reads).
#include <array>
#include <optional>
#include <set>
#include <vector>

#include "platform/input/Input.h"

class FakeInput : public platform::InputSource {
public:
    FakeInput() { platform::SetInputSource(this); }
    ~FakeInput() override { platform::SetInputSource(nullptr); }

    bool KeyDown(int vk) override { return held.count(vk) > 0; }
    uint32_t KeyPressCount(int) override { return 0; }
    POINT CursorPos() override { return cursor; }
    void SetCursorPos(POINT screen) override {
        cursor = screen;
        warps.push_back(screen);
    }
    bool Focused(HWND) override { return focused; }
    bool PadState(DWORD user, XINPUT_GAMEPAD* pad) override {
        reads.push_back(user);
        if (user >= pads.size() || !pads[user]) return false;
        *pad = *pads[user];
        return true;
    }
    void SetVibration(DWORD user, WORD left, WORD right) override {
        sent.push_back(Sent{user, left, right});
    }

    struct Sent {
        DWORD user;
        WORD left, right;
    };
    std::set<int> held;  // virtual keys down
    std::array<std::optional<XINPUT_GAMEPAD>, 4> pads{};
    POINT cursor{0, 0};
    bool focused = true;
    std::vector<POINT> warps;
    std::vector<DWORD> reads;
    std::vector<Sent> sent;
};
