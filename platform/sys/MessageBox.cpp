#include <SDL.h>

#include <mutex>

#include "platform/Platform.h"
#include "platform/sys/MessageBoxHook.h"
#include "platform/sys/WindowInternal.h"

namespace {

std::mutex hookMutex;
platform::MessageBoxHandler hook;

// The box on screen. Without a display SDL cannot show it: that reads as closing the box.
int ShowOnScreen(HWND owner, const char* text, const char* caption, UINT type) {
    const bool yesNo = (type & 0xF) == MB_YESNO;
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
    };
    const SDL_MessageBoxButtonData okButton[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
    };
    SDL_MessageBoxData data{};
    data.flags = (type & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.window = platform::SdlWindowOf(owner);
    data.title = caption ? caption : "";
    data.message = text ? text : "";
    data.numbuttons = yesNo ? 2 : 1;
    data.buttons = yesNo ? yesNoButtons : okButton;
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) return yesNo ? IDNO : IDCANCEL;
    return pressed;
}

}  // namespace

namespace platform {
void SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(hookMutex);
    hook = std::move(handler);
}
}  // namespace platform

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    platform::MessageBoxHandler handler;
    {
        std::lock_guard lock(hookMutex);
        handler = hook;
    }
    if (handler) return handler(text ? text : "", caption ? caption : "", type);
    return ShowOnScreen(owner, text, caption, type);
}
