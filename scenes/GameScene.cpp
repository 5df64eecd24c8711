#include "scenes/GameScene.h"

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneChanger.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "loading/ObjectPlacement.h"
#include "loading/ResourceLoader.h"
#include "objects/ObjectList.h"
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

void GameScene::Initialize() {
    StopTitleMusic();
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
    if (EscLatch::Pressed()) changer->ChangeScene(SCENE_TITLE);
    UpdateObjects();
    RemoveDeadObjects();
    Camera* camera = Application::GetInstance().camera;
    if (camera && camera->mouseControl) {
        camera->pitch = Mouse::GetInstance().GetVerticalAngle();
        camera->yaw = Mouse::GetInstance().GetHorizontalAngle();
    }
    Fade::GetInstance().Update();
}

void GameScene::Draw() { DrawStage(StandardStageLight()); }

void GameScene::Draw2D() {
    DrawObjects2D();
    Fade::GetInstance().Draw();
}

void GameScene::Finalize() {
    Fade::GetInstance().Update();
    ClearObjects();
    if (Camera* camera = Application::GetInstance().camera) camera->TurnToward(D3DXVECTOR3(0.0f, 0.0f, 1.0f));
}
