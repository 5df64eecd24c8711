#include "app/SceneMgr.h"

#include "app/Application.h"
#include "app/Recorder.h"
#include "app/SceneId.h"
#include "graphics/FramePhase.h"
#include "graphics/GraphicsDevice.h"
#include "scenes/Continue.h"
#include "scenes/GameScene.h"
#include "scenes/TitleScene.h"

BaseScene* CreateSceneById(int sceneId, SceneChanger* changer) {
    switch (sceneId) {
        case SCENE_TITLE: return new TitleScene(changer);
        case SCENE_GAME: return new GameScene(changer);
        case SCENE_CONTINUE: return new Continue(changer);
        default: return nullptr;
    }
}

SceneMgr::~SceneMgr() { delete current; }

void SceneMgr::ChangeScene(int sceneId) { Application::GetInstance().nextScene = sceneId; }

void SceneMgr::Start(int sceneId) {
    current = factory(sceneId, this);
    if (current) Begin();
}

void SceneMgr::Begin() {
    current->Initialize();
    Recorder::GetInstance().SceneStarted(current->GetSceneId(), Application::GetInstance().stageSelect);
}

void SceneMgr::Update() {
    Application& app = Application::GetInstance();
    const int requested = app.nextScene;
    if (requested != SCENE_NONE) {
        if (requested < SCENE_TITLE || requested > SCENE_CONTINUE) {
            // An id that names no scene is dropped before anything is torn down.
            app.nextScene = SCENE_NONE;
        } else {
            if (current) {
                current->Finalize();
                delete current;
            }
            current = factory(requested, this);
            app.nextScene = SCENE_NONE;
            if (current) Begin();
        }
    }
    if (current) current->Update();
}

void SceneMgr::Draw() {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    IDirect3DDevice9* device = graphics.GetDevice();
    if (!device) return;
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, D3DCOLOR_ARGB(255, 0, 0, 0),
                  1.0f, 0);
    if (current) current->Draw();

    {
        FramePhaseScope phase(FramePhase::Draw2D);
        graphics.SetSpriteMode(true);
        if (ID3DXSprite* sprite = graphics.GetSprite()) sprite->Begin(D3DXSPRITE_ALPHABLEND);
        if (current) current->Draw2D();
        if (ID3DXSprite* sprite = graphics.GetSprite()) sprite->End();
        graphics.SetSpriteMode(false);
    }

    device->EndScene();
}
