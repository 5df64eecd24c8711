#pragma once
// Esc acts once per press, in the title and in the game alike: the latch is set when a press is acted
// on and cleared when the key is read as up. Sharing it keeps one long press from both leaving a stage
// and then quitting from the title.
struct EscLatch {
    static bool& Held() {
        static bool held = false;
        return held;
    }
    // True once for each press of Esc.
    static bool Pressed();
};

// R on the keyboard or Back on the pad, once per press: restarts a stage.
struct RestartLatch {
    static bool& Held() {
        static bool held = false;
        return held;
    }
    static bool Pressed();
};
