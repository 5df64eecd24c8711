#pragma once
// The keys (and mouse buttons) the player walks, jumps and fires with, as virtual-key codes. The pad's
// buttons are fixed. The game reads the current set every frame; the options change it.
#include "platform/input/Input.h"

struct PlayerKeys {
    int forward = 'W';
    int backward = 'S';
    int left = 'A';
    int right = 'D';
    int jump = VK_SPACE;
    int fire = VK_LBUTTON;

    // The set the player's controls read.
    static PlayerKeys& Current() {
        static PlayerKeys keys;
        return keys;
    }
    // Each binding in a fixed order, for tables that go through them all.
    static constexpr int kCount = 6;
    int& operator[](int i) { return *(&forward + i); }
    int operator[](int i) const { return *(&forward + i); }
    bool operator==(const PlayerKeys&) const = default;
};
