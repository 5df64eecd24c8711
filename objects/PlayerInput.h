#pragma once
// What the player's controls ask for this frame: the bound keys and mouse buttons (PlayerKeys), or
// pad 0. The comments name the default keys.
struct PlayerInput {
    bool forward = false;   // W, left stick up, D-pad up; wins over backward
    bool backward = false;  // S, left stick down, D-pad down
    bool right = false;     // D, left stick right, D-pad right; wins over left
    bool left = false;      // A, left stick left, D-pad left
    bool fire = false;      // left mouse button or right shoulder, held
    bool jump = false;      // Space in any state, or pad A newly pressed

    // Reads the keyboard through the platform's key state and pad 0 as last polled.
    static PlayerInput Read();
};
