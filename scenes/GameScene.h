#pragma once
// One stage of the game: loads the common game resources and the stage's own list, builds the stage
// from its placement file, then updates every object, lets the camera follow the mouse and draws the
// stage through the shader manager. The stage lives in the object list. R (or the pad's Back) starts
// the stage again from its beginning through a fade to black; Esc leaves for the title, except once
// the goal has been reached. P (or the pad's Start) pauses it, with a menu to resume, restart, change
// the options or leave.
#include "app/BaseScene.h"
#include "app/SceneId.h"
#include "scenes/PauseMenu.h"

struct PlayerShared;

class GameScene : public BaseScene {
public:
    explicit GameScene(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_GAME; }

    void Initialize() override;
    void Finalize() override;
    // A frame of the stage, or, while the journal's rewind is held, a step back in time.
    void Update() override;
    // The stage's own frame: the latches, every object, the camera angles, the fade.
    void StepLogic();
    // What the scene carries from frame to frame, for a snapshot of the stage.
    struct Carried {
        bool restarting;
        PauseMenu pause;
    };
    Carried Carry() const { return {restarting, pause}; }
    // As the stage stood where its journal is played again from: at a snapshot, or (null) at its start.
    void ResetForRewind(const Carried* at);
    const PauseMenu& Pause() const { return pause; }
    void Draw() override;
    void Draw2D() override;

    // The map resource list and placement file of a stage; empty for a stage that does not exist.
    static const char* MapList(int stage);
    static const char* Placement(int stage);

private:
    static PlayerShared& EntryValues();
    static bool& RestartPending();
    void Restart();

    bool restarting = false;  // the fade to black before a restart runs
    bool replaySaved = false; // the journal went to the replays when the goal was reached
    PauseMenu pause{StageMenu()};
    static std::vector<PauseMenu::Choice> StageMenu() {
        return {PauseMenu::kResume, PauseMenu::kRestart, PauseMenu::kOptions, PauseMenu::kTitle};
    }
};
