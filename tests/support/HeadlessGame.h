#pragma once
// The whole game on the headless platform, stepped a frame at a time by its owner: the runner's set-up
// (simulated clock, input with nothing pressed, lock-step loads, message boxes answered "window")
// without the runner's loop, so that benchmarks and tests can look inside a frame. One at a time.
#include <filesystem>
#include <memory>
#include <string>

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
#include "platform/sys/Clock.h"
#include "platform/sys/MessageBoxHook.h"
#include "shaders/ShaderManager.h"
#include "sim/HeadlessShutdown.h"
#include "sim/LoadLockstep.h"
#include "sim/ScriptedInput.h"
#include "sound/SoundManager.h"

class HeadlessGame {
public:
    static constexpr uint32_t kFrameMs = 16;

    // Starts the game in the content tree at root, in the scene (a stage scene plays stage).
    HeadlessGame(const std::string& root, int scene, int stage = 0) : input(noInput) {
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(root);
        platform::GetSettings().headless = true;
        platform::SetClock(&clock);
        platform::SetInputSource(&input);
        SetLoadPacing(&pacing);
        platform::SetMessageBoxHandler([](const char*, const char*, UINT) { return IDNO; });
        UnregisterClassA(kWindowClassName, nullptr);
        Application& app = Application::GetInstance();
        app.nextScene = SCENE_NONE;
        app.quitRequested = false;
        Player::ResetShared();  // as a new process starts
        input.BeginFrame(1);
        if (!app.Initialize(nullptr)) return;
        scenes = std::make_unique<SceneMgr>();
        app.sceneMgr = scenes.get();
        app.stageSelect = scene == SCENE_TITLE ? 0 : stage;
        scenes->Start(scene);
    }

    ~HeadlessGame() {
        Application& app = Application::GetInstance();
        // The order of the main loop's shutdown: scene, objects, shaders, camera, caches, device.
        ShutDownHeadlessGame(scenes);
        app.nextScene = SCENE_NONE;
        app.stageSelect = 0;
        Player::ResetShared();
        SetLoadPacing(nullptr);
        platform::SetInputSource(nullptr);
        platform::SetClock(nullptr);
        platform::SetMessageBoxHandler({});
        std::filesystem::current_path(previousDir);
    }
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    bool Started() const { return scenes != nullptr && scenes->GetCurrent() != nullptr; }
    BaseScene* Scene() const { return scenes ? scenes->GetCurrent() : nullptr; }

    // The devices and the scene's update: what a frame does before it draws.
    void Update() {
        GamePad::GetInstance().Update();
        Mouse::GetInstance().Update();
        scenes->Update();
    }
    // Every draw of the frame through the device, and the present.
    void Draw() {
        scenes->Draw();
        if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice())
            device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    // One main-loop frame, then the clock moves on by a frame.
    void Frame() {
        Update();
        Draw();
        EndFrame();
    }
    void EndFrame() {
        clock.Advance(kFrameMs);
        input.BeginFrame(++frame);
    }

private:
    InputScript noInput;
    ScriptedInput input;
    platform::SimulatedClock clock;
    LoadLockstep pacing;
    std::unique_ptr<SceneMgr> scenes;
    std::filesystem::path previousDir;
    int frame = 1;
};
