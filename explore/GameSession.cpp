#include "explore/GameSession.h"
#include "sim/HeadlessShutdown.h"

#include "app/Application.h"
#include "app/GamePad.h"
#include "app/Mouse.h"
#include "app/SceneId.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "platform/Platform.h"
#include "platform/sys/MessageBoxHook.h"
#include "scenes/EscLatch.h"
#include "scenes/Fade.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

GameSession::GameSession(const std::filesystem::path& root, int scene, int stage, ExploreInput& source,
                         const FrameInput& first)
    : input(source) {
    previousDir = std::filesystem::current_path();
    std::filesystem::current_path(root);
    platform::GetSettings().headless = true;
    platform::SetClock(&clock);
    platform::SetInputSource(&input);
    SetLoadPacing(&pacing);
    platform::SetMessageBoxHandler([](const char*, const char*, UINT) { return IDNO; });
    UnregisterClassA(kWindowClassName, nullptr);
    ResetProgramState();
    Application& app = Application::GetInstance();
    input.BeginFrame(first);
    if (!app.Initialize(nullptr)) return;
    scenes = std::make_unique<SceneMgr>();
    app.sceneMgr = scenes.get();
    app.stageSelect = scene == SCENE_TITLE ? 0 : stage;
    scenes->Start(scene);
}

void GameSession::ResetProgramState() {
    Application& app = Application::GetInstance();
    app.nextScene = SCENE_NONE;
    app.quitRequested = false;
    app.closeRequested = false;
    Player::ResetShared();
    EscLatch::Held() = false;
    RestartLatch::Held() = false;
    Fade& fade = Fade::GetInstance();
    fade.mode = fade.phase = fade.alpha = 0;
    fade.barHeight = fade.barTimer = 0.0f;
    Mouse::GetInstance() = Mouse();
}

GameSession::~GameSession() {
    Application& app = Application::GetInstance();
    // A restart left half done (the stage was to be built again on the next frame) would hand the
    // next session's first stage the values kept for it: the stage is built now, which clears them.
    if (scenes && app.nextScene == SCENE_GAME) scenes->Update();
    // The main loop's shutdown order: scene, objects, shaders, camera, caches, device.
    ShutDownHeadlessGame(scenes);
    ResetProgramState();
    app.stageSelect = 0;
    SetLoadPacing(nullptr);
    platform::SetInputSource(nullptr);
    platform::SetClock(nullptr);
    platform::SetMessageBoxHandler({});
    std::error_code ignored;
    std::filesystem::current_path(previousDir, ignored);
}

bool GameSession::RunFrame() {
    Application& app = Application::GetInstance();
    if (!scenes || app.quitRequested || app.closeRequested) return false;
    GamePad::GetInstance().Update();
    Mouse::GetInstance().Update();
    scenes->Update();
    scenes->Draw();
    if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice())
        device->Present(nullptr, nullptr, nullptr, nullptr);
    return true;
}

void GameSession::Advance(const FrameInput& next) {
    clock.Advance(kFrameMs);
    input.BeginFrame(next);
}
