// Borderless full screen over the desktop. The window is resized to the display's bounds itself, so
// full screen also works where no window manager acts on the full-screen request (a bare X server);
// the request is still made, so that a window manager stacks the window above its panels.
#include <SDL.h>

#include "platform/sys/WindowInternal.h"
#include "platform/sys/WindowMode.h"

namespace platform {

void SetFullScreen(HWND hwnd, bool on) {
    if (!hwnd || !hwnd->sdl || hwnd->fullScreen == on) return;
    SDL_Window* window = hwnd->sdl;
    hwnd->fullScreen = on;
    if (on) {
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(window, &x, &y);
        SDL_GetWindowSize(window, &w, &h);
        hwnd->windowed = RECT{x, y, x + w, y + h};
        SDL_Rect bounds{0, 0, w, h};
        const int display = SDL_GetWindowDisplayIndex(window);
        SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        const RECT& r = hwnd->windowed;
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowSize(window, r.right - r.left, r.bottom - r.top);
        SDL_SetWindowPosition(window, r.left, r.top);
    }
}

bool IsFullScreen(HWND hwnd) { return hwnd && hwnd->fullScreen; }

}  // namespace platform

namespace platform {

void SetWindowFullScreen(HWND hwnd, bool on) { SetFullScreen(hwnd, on); }
bool IsWindowFullScreen(HWND hwnd) { return IsFullScreen(hwnd); }

}  // namespace platform
