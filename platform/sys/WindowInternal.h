#pragma once
// The record behind a window handle, shared by the window code and the OpenGL device.
#include "platform/sys/Win32.h"

struct SDL_Window;

struct HWND__ {
    SDL_Window* sdl = nullptr;  // null for headless windows and the desktop
    WNDPROC proc = nullptr;
    RECT outer{};               // outer rectangle in screen coordinates
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool fullScreen = false;
    RECT windowed{};            // client rectangle on screen to go back to when leaving full screen
};

union SDL_Event;

namespace platform {
SDL_Window* SdlWindowOf(HWND hwnd);
// The SDL window's data under this name is its handle.
constexpr char kHwndKey[] = "HWND";

// Full screen as a desktop game should do it: the window loses its frame and covers the display it
// is on, at the display's own resolution; the monitor's mode is never changed. The device keeps its
// back buffer and Present scales it to the window, keeping the aspect. Leaving it brings back the
// framed window where it was.
void SetFullScreen(HWND hwnd, bool on);
bool IsFullScreen(HWND hwnd);

// Keys the desktop handles before the game sees them: Alt+Enter switches between window and full
// screen of the window that has the key, F12 saves a picture of the next presented frame. True when
// the event was one of them.
bool HandleDesktopKey(const SDL_Event& event);
}
