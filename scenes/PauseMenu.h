#pragma once
// The pause: P or the pad's Start holds the world still (objects, ice, timers, fades, the game's clock
// and with it the random sequence), stops the effects and lowers the music, dims the frame and shows
// a small menu. The scene asks it first thing in every frame of its logic and advances nothing while
// it is paused. The same menu opens the options; the title opens the options alone.
#include <utility>
#include <vector>

#include "scenes/MenuControls.h"
#include "scenes/OptionsScreen.h"

class PauseMenu {
public:
    enum Choice { kNone, kResume, kRestart, kOptions, kTitle, kQuit };

    explicit PauseMenu(std::vector<Choice> items) : items(std::move(items)) {}

    // The frame's pause control and menu. allowed: the pause control may open the menu now. Returns
    // what was chosen this frame that the scene must carry out (restart, title, quit); the menu has
    // closed by then.
    Choice Update(bool allowed);
    bool Paused() const { return open; }
    // The options alone, paused as the menu is; closing them ends the pause.
    void OpenOptions();
    // Ends the pause at once (the scene is left).
    void Close();
    void Draw() const;

    int Selected() const { return selected; }
    const OptionsScreen& Options() const { return options; }

private:
    void Open();
    Choice Choose();

    std::vector<Choice> items;
    int selected = 0;
    bool open = false;
    bool optionsOnly = false;
    bool toggleHeld = false;  // P or Start, acted on once per press
    MenuControls controls;
    OptionsScreen options;
};
