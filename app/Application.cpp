#include "app/Application.h"

#include <memory>

#include "app/GamePad.h"
#include "app/MainLoopScenes.h"
#include "app/Mouse.h"
#include "app/Recorder.h"
#include "app/SceneId.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"
#include "graphics/FramePhase.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/TextureManager.h"
#include "loading/ResourceLoader.h"
#include "objects/CameraObstacles.h"
#include "objects/ObjectList.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"
#include "graphics/MeshManager.h"
#include "platform/sys/Clock.h"

const char* const kWindowTitle = "VELDORIN";
const char* const kWindowClassName = "Window";

DWORD FrameSleepTime(DWORD t0, DWORD t1) {
    const DWORD elapsed = t1 - t0;  // unsigned: correct across the counter's wrap
    return elapsed < Application::kFramePeriodMs ? Application::kFramePeriodMs - elapsed : 0;
}

Application& Application::GetInstance() {
    static Application instance;
    return instance;
}

bool Application::Initialize(HINSTANCE instance) {
    hInstance = instance;
    closeRequested = false;
    quitRequested = false;

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = 48;
    windowClass.style = 0;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassExA(&windowClass)) return false;

    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    hWnd = CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                           (desktop.right - kWidth) / 2, (desktop.bottom - kHeight) / 2, kWidth, kHeight, nullptr,
                           nullptr, hInstance, nullptr);
    // Without a window there is nothing to draw into; the device's own failure path reports it.
    if (hWnd) FitClientArea(hWnd);
    timeBeginPeriod(1);

    if (!hWnd || !GraphicsDevice::GetInstance().Init(hWnd, clientWidth, clientHeight)) {
        MessageBoxA(hWnd, "Direct3D初期化ミス", "", MB_OK);
        return false;
    }
    GraphicsDevice::GetInstance().SetupRenderStates();
    ShaderManager::GetInstance().Init();
    Mouse::GetInstance().SetWindow(hWnd);
    Mouse::GetInstance().Init();
    delete camera;
    camera = new Camera();
    camera->SetObstacleQuery(ObjectListObstacles());
    SoundManager::GetInstance().hWnd = hWnd;
    SoundManager::GetInstance().Init();
    // The start-up list loads behind the loading screen before the window is shown.
    ResourceLoader::GetInstance().Load("Data/txt/Init.txt");

    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    return true;
}

SceneFactory& MainLoopSceneFactory() {
    static SceneFactory factory = CreateSceneById;
    return factory;
}

int Application::Run() {
    // The manager (and with it the current scene) goes before the device the scene drew with.
    auto scenes = std::make_unique<SceneMgr>(MainLoopSceneFactory());
    sceneMgr = scenes.get();
    Recorder& recorder = Recorder::GetInstance();
    recorder.Start(hWnd);
    if (startInFirstFrame) {
        stageSelect = startStage;
        nextScene = startScene;
    } else if (startScene == SCENE_TITLE) {
        scenes->Start(SCENE_TITLE);
        stageSelect = 0;
    } else {
        stageSelect = startStage;
        scenes->Start(startScene);
    }

    int frame = 0;
    MSG msg{};
    for (;;) {
        if (closeRequested) {
            quitRequested = true;
            break;
        }
        if (quitRequested) break;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        RunFrame(++frame);
        if (observer && !observer->AfterFrame(frame)) break;
    }

    // The manager goes without finalising its scene, then the stage's objects, which borrow the
    // caches' models and images, then the caches and the device.
    recorder.Stop();
    sceneMgr = nullptr;
    scenes.reset();
    ClearObjects();
    Shutdown();
    return 0;
}

void Application::RunFrame(int frame) {
    const DWORD t0 = platform::GetClock().PaceMs();
    Recorder::GetInstance().BeginFrame(t0);
    GamePad::GetInstance().Update();
    Mouse::GetInstance().Update();
    {
        FramePhaseScope phase(FramePhase::Update);
        sceneMgr->Update();
    }
    sceneMgr->Draw();
    if (observer) observer->BeforePresent(frame);
    if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice()) {
        FramePhaseScope phase(FramePhase::Present);
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    const DWORD t1 = platform::GetClock().PaceMs();
    if (const DWORD rest = FrameSleepTime(t0, t1)) Sleep(rest);
}

void Application::Shutdown() {
    ShaderManager::GetInstance().Release();
    delete camera;
    camera = nullptr;
    MeshManager::GetInstance().ReleaseAll();
    TextureManager::GetInstance().ReleaseAll();
    SoundManager::GetInstance().Release();
    // The device always goes last.
    GraphicsDevice::GetInstance().Release();
}

void FitClientArea(HWND hwnd) {
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int width = (window.right - window.left) + Application::kWidth - (client.right - client.left);
    const int height = (window.bottom - window.top) + Application::kHeight - (client.bottom - client.top);
    MoveWindow(hwnd, window.left, window.top, width, height, true);
}

LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = Application::GetInstance();
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SIZE: {
            RECT client{};
            GetClientRect(hwnd, &client);
            app.clientWidth = client.right;
            app.clientHeight = client.bottom;
            return 0;
        }
        case WM_CLOSE:
            app.closeRequested = true;  // the loop ends on its next pass; the window stays
            return 0;
        case WM_MOUSEWHEEL:
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
