#pragma once
// Brings the graphics device up for a test: headless (recording device) or on OpenGL under a display.
// The process's working directory becomes a fresh temporary folder (or the given one).
#include <filesystem>
#include <string>

#include "app/Application.h"
#include "graphics/GraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/sys/MessageBoxHook.h"

namespace testsupport {

// What an earlier test of the process started goes first, as the game lets go of it at its end.
inline bool StartGraphics(bool headless) {
    Application::GetInstance().Shutdown();
    platform::GetSettings().headless = headless;
    platform::SetMessageBoxHandler([](const char*, const char*, UINT type) {
        return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
    });
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "TestWindow";
    RegisterClassExA(&windowClass);
    // One window of each kind serves every test of the process (a headless one is memory only).
    static HWND windows[2] = {nullptr, nullptr};
    HWND& hwnd = windows[headless ? 1 : 0];
    if (!hwnd) hwnd = CreateWindowExA(0, "TestWindow", "test", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    if (!hwnd || !GraphicsDevice::GetInstance().Init(hwnd, 800, 600)) return false;
    GraphicsDevice::GetInstance().SetupRenderStates();
    return true;
}

inline HeadlessDevice* Headless() { return HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice()); }

// A temporary working directory for the life of a test.
class TempDir {
public:
    explicit TempDir(const std::string& tag) {
        namespace fs = std::filesystem;
        root = fs::temp_directory_path() / ("veldorin_" + tag + "_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
        previous = fs::current_path();
        fs::current_path(root);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::current_path(previous, ec);
        std::filesystem::remove_all(root, ec);
    }
    std::filesystem::path root, previous;
};

}  // namespace testsupport
