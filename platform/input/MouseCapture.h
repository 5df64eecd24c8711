#pragma once
// Mouse-look on SDL's relative mouse mode. While the game hides the cursor and one of its windows
// has the keyboard focus, the pointer is captured: SDL reports motion, not positions, and nothing
// has to warp a global cursor (which a Wayland session forbids). The game's cursor calls then work
// on a virtual cursor: setting the position anchors it, reading it gives the anchor plus the motion
// since, which is the displacement the game measures between its re-centrings. Losing the focus
// releases the pointer; getting it back captures it again. Where relative mode is not offered the
// game's calls reach the real cursor, as before.
#include "platform/sys/Win32.h"

union SDL_Event;

namespace platform {

class MouseCapture {
public:
    // The game's cursor visibility (ShowCursor's counter below zero means hidden).
    void SetCursorHidden(bool hidden);
    // Only the game's own input source captures the pointer (not a script that stands in for it).
    void SetEnabled(bool enabled);
    // Focus changes and motion while captured.
    void Feed(const SDL_Event& event);
    // Brings the capture in line with the focus now (after a window went away, for one).
    void Update();

    bool Active() const { return active; }
    POINT Cursor() const { return POINT{anchor.x + motionX, anchor.y + motionY}; }
    void Anchor(POINT position);

private:
    bool hidden = false;
    bool enabled = true;
    bool active = false;
    bool unavailable = false;  // relative mode failed once: use the real cursor from then on
    POINT anchor{};
    int motionX = 0;
    int motionY = 0;
};

}  // namespace platform
