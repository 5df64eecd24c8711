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
};

namespace platform {
SDL_Window* SdlWindowOf(HWND hwnd);
}
