#include "scenes/PauseMenu.h"

#include "app/GamePad.h"
#include "app/Mouse.h"
#include "app/Recorder.h"
#include "scenes/MenuText.h"
#include "sound/SoundManager.h"

namespace {

constexpr int kDim = 120;

const char* Label(PauseMenu::Choice choice) {
    switch (choice) {
        case PauseMenu::kResume: return "Resume";
        case PauseMenu::kRestart: return "Restart stage";
        case PauseMenu::kOptions: return "Options";
        case PauseMenu::kTitle: return "Back to title";
        case PauseMenu::kQuit: return "Quit game";
        default: return "";
    }
}

// The world stands still or goes on: the effects, the mouse's look and the game's clock with it.
void HoldWorld(bool on) {
    SoundManager::GetInstance().SetPaused(on);
    Mouse::GetInstance().SetHeld(on);
    Recorder::GetInstance().HoldClock(on);
}

}  // namespace

PauseMenu::Choice PauseMenu::Update(bool allowed) {
    const bool toggle = (GetAsyncKeyState('P') & 0x8000) != 0 ||
                        (GamePad::GetInstance().Pad(0).state.Gamepad.wButtons & XINPUT_GAMEPAD_START) != 0;
    const bool pressed = toggle && !toggleHeld;
    toggleHeld = toggle;
    if (!open) {
        if (pressed && allowed) Open();
        return kNone;
    }
    const MenuMoves moves = controls.Read();
    if (options.IsOpen()) {
        options.Update(moves);
        if (!options.IsOpen() && optionsOnly) Close();
        return kNone;
    }
    if (pressed || moves.back) {
        Close();
        return kNone;
    }
    const int count = static_cast<int>(items.size());
    if (moves.up) selected = (selected + count - 1) % count;
    if (moves.down) selected = (selected + 1) % count;
    return moves.confirm ? Choose() : kNone;
}

PauseMenu::Choice PauseMenu::Choose() {
    const Choice choice = items[static_cast<size_t>(selected)];
    if (choice == kOptions) {
        options.Open();
        return kNone;
    }
    Close();
    return choice == kResume ? kNone : choice;
}

void PauseMenu::Open() {
    open = true;
    optionsOnly = false;
    selected = 0;
    controls.Prime();
    HoldWorld(true);
}

void PauseMenu::OpenOptions() {
    Open();
    optionsOnly = true;
    options.Open();
}

void PauseMenu::Close() {
    if (!open) return;
    open = false;
    optionsOnly = false;
    HoldWorld(false);
}

void PauseMenu::Draw() const {
    if (!open) return;
    if (options.IsOpen()) return options.Draw();
    using namespace menu_text;
    DimFrame(kDim);
    const float height = static_cast<float>(items.size()) * kLineHeight + 110.0f;
    const float top = (600.0f - height) / 2.0f;
    DrawPanel(260.0f, top, 280.0f, height);
    DrawCentred("PAUSED", 400.0f, top + 16.0f, kText, 1.5f);
    for (size_t i = 0; i < items.size(); ++i) {
        const bool lit = static_cast<int>(i) == selected;
        const float y = top + 70.0f + static_cast<float>(i) * kLineHeight;
        DrawCentred(lit ? std::string("> ") + Label(items[i]) + " <" : Label(items[i]), 400.0f, y, lit ? kHighlight : kText);
    }
}
