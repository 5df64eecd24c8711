#include "scenes/GameScene.h"

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/Recorder.h"
#include "app/SceneChanger.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "loading/ObjectPlacement.h"
#include "loading/ResourceLoader.h"
#include "objects/CGoal.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "scenes/EscLatch.h"
#include "scenes/Fade.h"
#include "scenes/StageView.h"
#include "sound/Music.h"

const char* GameScene::MapList(int stage) {
    return stage == 0 ? "Data/txt/Map1.txt" : stage == 1 ? "Data/txt/Map2.txt" : "";
}

const char* GameScene::Placement(int stage) {
    return stage == 0 ? "Data/txt/Mapdata1.txt" : stage == 1 ? "Data/txt/Mapdata2.txt" : "";
}

// The values the player carries from scene to scene, as they were when the stage was entered from
// outside; a restart puts them back.
PlayerShared& GameScene::EntryValues() {
    static PlayerShared values;
    return values;
}

bool& GameScene::RestartPending() {
    static bool pending = false;
    return pending;
}

// Once the screen is black the stage is built again from its placement file, as it was entered.
void GameScene::Restart() {
    restarting = false;
    RestartPending() = true;
    changer->ChangeScene(SCENE_GAME);
}

void GameScene::Initialize() {
    StopTitleMusic();
    if (RestartPending()) Player::Shared() = EntryValues();
    else EntryValues() = Player::Shared();
    RestartPending() = false;
    const int stage = Application::GetInstance().stageSelect;
    ResourceLoader::GetInstance().Load("Data/txt/Game.txt");
    ResourceLoader::GetInstance().Load(MapList(stage));
    ObjectPlacement(Placement(stage));
    if (Camera* camera = Application::GetInstance().camera) {
        camera->mouseControl = true;
        camera->TurnToward(D3DXVECTOR3(0.0f, 0.0f, 1.0f));
    }
    Mouse::GetInstance().Recenter();
    StartGameMusic();
}

void GameScene::Update() {
    Recorder& recorder = Recorder::GetInstance();
    if (recorder.Rewinding()) {
        recorder.StepBack(*this);
        return;
    }
    StepLogic();
    const bool won = AnyGoalReached();
    // Never back into a goal's fade, nor across a scene change, nor while paused.
    const bool rewindable = !won && Application::GetInstance().nextScene == SCENE_NONE && !pause.Paused();
    recorder.AllowRewind(rewindable);
    if (rewindable) recorder.StageFrameDone(*this);
    if (won && !replaySaved) {
        replaySaved = true;
        recorder.SaveReplay();
    }
}

void GameScene::StepLogic() {
    // A stage won at its goal goes on to the title through the goal's fade, whatever is pressed.
    const bool won = AnyGoalReached();
    const bool leaving = Application::GetInstance().nextScene != SCENE_NONE;
    const PauseMenu::Choice choice = pause.Update(!won && !restarting && !leaving);
    if (pause.Paused()) {
        RestartLatch::Pressed();  // kept in step, so that R held on leaving the menu does nothing
        return;                   // nothing in the world advances
    }
    if (choice == PauseMenu::kTitle || (EscLatch::Pressed() && !won)) changer->ChangeScene(SCENE_TITLE);
    if ((RestartLatch::Pressed() || choice == PauseMenu::kRestart) && !won && !restarting) {
        restarting = true;
        Fade::GetInstance().StartBlack(Fade::kToBlackStill);
    }
    if (restarting && Fade::GetInstance().Black()) Restart();
    UpdateObjects();
    RemoveDeadObjects();
    Camera* camera = Application::GetInstance().camera;
    if (camera && camera->mouseControl) {
        camera->pitch = Mouse::GetInstance().GetVerticalAngle();
        camera->yaw = Mouse::GetInstance().GetHorizontalAngle();
    }
    Fade::GetInstance().Update();
}

void GameScene::ResetForRewind(const Carried* at) {
    pause.Close();
    restarting = at && at->restarting;
    pause = at ? at->pause : PauseMenu(StageMenu());
}

void GameScene::Draw() { DrawStage(StandardStageLight()); }

void GameScene::Draw2D() {
    DrawObjects2D();
    Fade::GetInstance().Draw();
    pause.Draw();
}

void GameScene::Finalize() {
    pause.Close();
    Fade::GetInstance().Update();
    ClearObjects();
    if (Camera* camera = Application::GetInstance().camera) camera->TurnToward(D3DXVECTOR3(0.0f, 0.0f, 1.0f));
}
