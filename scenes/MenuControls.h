#pragma once
// The menus' input: the arrow keys, the pad's D-pad and left stick, Return, Space, a click or the pad's
// A to choose, Esc or the pad's B to go back; moving the mouse up or down moves the highlight. Each
// move counts once per press; what was already down when a menu opened waits for its release.
#include <array>

struct MenuMoves {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    bool confirm = false;
    bool back = false;
};

class MenuControls {
public:
    static constexpr int kMouseStep = 40;  // pixels of mouse travel for one step of the highlight

    MenuMoves Read();
    // Everything down now counts as already acted on.
    void Prime();

private:
    std::array<bool, 5> Down() const;  // up, down, left, right, confirm

    std::array<bool, 5> held{};
    int mouseTravel = 0;
};
