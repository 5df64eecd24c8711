#pragma once
// The title hub: a walkable stage shown behind the logo. Until the player starts, the logo covers the
// screen and the player stands posed; on start the logo fades while the camera swings from a close,
// tilted view into the follow position, then the player walks freely. As many doors and launchers
// as the saved progress allows are opened; the hub's goals lead into the stages or to the closing
// picture. Esc on the title ends the game. Before the start O opens the options; in the hub P (or the
// pad's Start) pauses, with a menu to resume, change the options, show the logo again or quit.
#include "app/BaseScene.h"
#include "app/SceneId.h"
#include "scenes/PauseMenu.h"
#include "platform/math/D3DXMath.h"

class Player;
class Texture;

class TitleScene : public BaseScene {
public:
    static constexpr int kIntroFrames = 150;
    static constexpr int kLogoFade = 5;
    static constexpr char kPlacement[] = "Data/txt/MapDataTitle.txt";  // the hub's objects

    explicit TitleScene(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_TITLE; }

    void Initialize() override;
    void Finalize() override;
    void Update() override;
    void Draw() override;
    void Draw2D() override;
    void DumpFields(ObjectFields& out) const override;

    Texture* logo = nullptr;
    Texture* logo2 = nullptr;
    Texture* mask = nullptr;
    int logoAlpha = 255;
    int openDoors = 0;
    int openLaunchers = 0;
    D3DXVECTOR2 introOffset{1.25f, 0.3f};
    D3DXVECTOR2 introStep{1.25f, 0.3f};
    D3DXVECTOR3 look{0.0f, -1.5f, 1.0f};
    D3DXVECTOR3 lookStart{0.0f, -1.5f, 1.0f};
    D3DXVECTOR2 introAngles{20.0f, 7.25f};  // vertical, horizontal
    bool entered = false;
    int started = 0;

private:
    void OpenByProgress();
    void PosePlayer(Player& player);
    void CheckStart();
    void StepIntro();
    // The pause menu and the options; true while the hub stands still.
    bool UpdatePause();
    bool clickHeld = false;  // the start click's own latch
    bool optionsKeyHeld = false;
    PauseMenu pause{{PauseMenu::kResume, PauseMenu::kOptions, PauseMenu::kTitle, PauseMenu::kQuit}};

public:
    const PauseMenu& Pause() const { return pause; }
};
