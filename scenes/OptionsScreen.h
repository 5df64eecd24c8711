#pragma once
// The options: music and effects volume, mouse sensitivity, inverted look, full screen or window,
// picture quality, and the keys for walking, jumping and firing, each with a reset to its default.
// Left and right (or choosing) change the highlighted value; choosing a key waits for the next key
// pressed, Esc keeps the old one, Backspace gives the key its default. Every change takes effect at
// once and is stored at once (SettingsStore).
#include <bitset>
#include <string>

#include "scenes/MenuControls.h"

class OptionsScreen {
public:
    void Open();
    bool IsOpen() const { return open; }
    // The frame's input; going back closes the screen.
    void Update(const MenuMoves& moves);
    void Draw() const;

    int Selected() const { return selected; }
    bool Capturing() const { return capturing; }

private:
    void Change(int step);
    void Capture();
    std::string Value(int row) const;

    bool open = false;
    int selected = 0;
    bool capturing = false;
    std::bitset<256> keysBefore;  // keys down on the frame before, while a key is captured
};
