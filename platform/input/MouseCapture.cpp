#include "platform/input/MouseCapture.h"

#include <SDL.h>

namespace platform {

void MouseCapture::SetCursorHidden(bool isHidden) {
    hidden = isHidden;
    Update();
}

void MouseCapture::SetEnabled(bool isEnabled) {
    enabled = isEnabled;
    Update();
}

void MouseCapture::Feed(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                                          event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)) {
        Update();
    } else if (event.type == SDL_MOUSEMOTION && active) {
        motionX += event.motion.xrel;
        motionY += event.motion.yrel;
    }
}

void MouseCapture::Update() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        active = false;
        return;
    }
    const bool wanted = enabled && hidden && !unavailable && SDL_GetKeyboardFocus() != nullptr;
    if (wanted == active) return;
    if (SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE) != 0) {
        unavailable = wanted;
        SDL_SetRelativeMouseMode(SDL_FALSE);
        active = false;
        return;
    }
    active = wanted;
    motionX = motionY = 0;
}

void MouseCapture::Anchor(POINT position) {
    anchor = position;
    motionX = motionY = 0;
}

}  // namespace platform
