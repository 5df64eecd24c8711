#include "sim/HeadlessShutdown.h"

#include "app/Application.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectList.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

void ShutDownHeadlessGame(std::unique_ptr<SceneMgr>& scenes) {
    Application& app = Application::GetInstance();
    app.sceneMgr = nullptr;
    scenes.reset();
    ClearObjects();
    ShaderManager::GetInstance().Release();
    delete app.camera;
    app.camera = nullptr;
    MeshManager::GetInstance().ReleaseAll();
    TextureManager::GetInstance().ReleaseAll();
    SoundManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    if (app.hWnd) DestroyWindow(app.hWnd);
    app.hWnd = nullptr;
    UnregisterClassA(kWindowClassName, nullptr);
}
