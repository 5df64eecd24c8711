#include "platform/Platform.h"

#include <SDL.h>

namespace platform {

Settings& GetSettings() {
    static Settings settings;
    return settings;
}

bool InitVideo() {
    if (GetSettings().headless) return true;
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
        // Pads are optional: retry with video alone.
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    }
    return true;
}

void Shutdown() {
    if (SDL_WasInit(0)) SDL_Quit();
}

}  // namespace platform
