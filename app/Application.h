#pragma once
// The process-wide object that owns the main window and the frame loop, and carries the few values
// the scenes, the fade and the goal share.
#include "platform/sys/Win32.h"

class Camera;
class SceneMgr;

// Watches the frames of the loop without changing them: the headless runner writes its screenshots and
// dumps through it. Frame 1 is the first frame of Run.
class FrameObserver {
public:
    virtual ~FrameObserver() = default;
    virtual void BeforePresent(int frame) { (void)frame; }
    // False leaves the loop after this frame, as if it had run its course (quitRequested stays as is).
    virtual bool AfterFrame(int frame) = 0;
};

// The window's title text and class name.
extern const char* const kWindowTitle;
extern const char* const kWindowClassName;

// How long the loop sleeps after a frame that ran from t0 to t1 (timeGetTime values): the rest of
// the 16 ms period, or nothing once the frame took 16 ms or more.
DWORD FrameSleepTime(DWORD t0, DWORD t1);

class Application {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr DWORD kFramePeriodMs = 16;

    static Application& GetInstance();

    // Creates the window and brings every subsystem up; false ends the process.
    bool Initialize(HINSTANCE instance);
    // The main loop and the shutdown; returns the process exit code (always 0).
    int Run();

    // --- shared fields, read and written directly by scenes, the fade and the goal ---
    HINSTANCE hInstance = nullptr;
    HWND hWnd = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
    bool closeRequested = false;
    bool quitRequested = false;
    Camera* camera = nullptr;
    int nextScene = 0;
    int stageSelect = 0;

    // --- runner seams (the game leaves these alone) ---
    // The scene the loop starts in; anything but the title starts with startStage as stageSelect.
    int startScene = 1;
    int startStage = 0;
    // The start scene begins inside the first frame, after the devices were read, as a scene entered
    // from another one does (a journal recorded that way is played back so).
    bool startInFirstFrame = false;
    FrameObserver* observer = nullptr;
    // The scene manager while the loop runs.
    SceneMgr* sceneMgr = nullptr;

    // Lets go of the camera, the shaders, the caches, the sound and, last, the device: the end of a
    // run, and of whatever an earlier start in the same process left.
    void Shutdown();

private:
    Application() = default;
    void RunFrame(int frame);
};

// The window procedure of the main window's class.
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Grows the window so that its client area is exactly 800 x 600, keeping its top-left corner.
void FitClientArea(HWND hwnd);
