// The few keys that belong to the desktop rather than to the game.
#include <SDL.h>

#include "platform/image/Screenshots.h"
#include "platform/sys/WindowInternal.h"

namespace platform {

bool HandleDesktopKey(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
    const SDL_Keycode key = event.key.keysym.sym;
    const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
    if (!(enter && alt) && key != SDLK_F12) return false;
    // The release of a handled key is swallowed too; a held key repeats nothing.
    if (event.type == SDL_KEYUP || event.key.repeat) return true;
    if (key == SDLK_F12) {
        RequestScreenshot();
    } else if (SDL_Window* window = SDL_GetWindowFromID(event.key.windowID)) {
        auto* hwnd = static_cast<HWND>(SDL_GetWindowData(window, kHwndKey));
        SetFullScreen(hwnd, !IsFullScreen(hwnd));
    }
    return true;
}

}  // namespace platform
