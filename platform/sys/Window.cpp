// Windows and their message queue on SDL2. A headless process keeps its windows in memory only; its
// queue holds what was posted to it.
#include <SDL.h>

#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "platform/Platform.h"
#include "platform/input/Input.h"
#include "platform/sys/LargeBlocks.h"
#include "platform/sys/WindowInternal.h"

namespace {

struct WindowSystem {
    std::mutex mutex;
    std::map<std::string, WNDPROC> classes;
    std::deque<MSG> posted;
    HWND__ desktop;
    HWND__* main = nullptr;  // the one window SDL events are delivered to
};

WindowSystem& System() {
    static WindowSystem system;
    return system;
}

// Border sizes of a real window; zero when the window manager does not tell (or there is none).
void Borders(HWND hwnd, int& top, int& left, int& bottom, int& right) {
    top = left = bottom = right = 0;
    if (hwnd && hwnd->sdl && SDL_GetWindowBordersSize(hwnd->sdl, &top, &left, &bottom, &right) != 0) {
        top = left = bottom = right = 0;
    }
}

void SendSize(HWND hwnd) {
    if (hwnd->proc) hwnd->proc(hwnd, WM_SIZE, 0, (hwnd->clientHeight << 16) | (hwnd->clientWidth & 0xFFFF));
}

// Turns one SDL event into a window message; false for events the game has no message for.
bool Translate(const SDL_Event& e, HWND hwnd, MSG* msg) {
    *msg = MSG{hwnd, 0, 0, 0};
    switch (e.type) {
        case SDL_QUIT:
            msg->message = WM_CLOSE;
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                msg->message = WM_CLOSE;
                return true;
            }
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                int w = 0, h = 0;
                SDL_GetWindowSize(hwnd->sdl, &w, &h);
                hwnd->clientWidth = w;
                hwnd->clientHeight = h;
                msg->message = WM_SIZE;
                msg->lParam = (h << 16) | (w & 0xFFFF);
                return true;
            }
            return false;
        case SDL_MOUSEWHEEL:
            msg->message = WM_MOUSEWHEEL;
            msg->wParam = static_cast<WPARAM>(static_cast<uint16_t>(e.wheel.y * 120)) << 16;
            return true;
        case SDL_MOUSEMOTION:
            msg->message = WM_MOUSEMOVE;
            msg->lParam = (e.motion.y << 16) | (e.motion.x & 0xFFFF);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT) return false;
            msg->message = e.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            msg->message = e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP;
            msg->wParam = static_cast<WPARAM>(e.key.keysym.sym);
            return true;
        default:
            return false;
    }
}

}  // namespace

namespace platform {
SDL_Window* SdlWindowOf(HWND hwnd) { return hwnd ? hwnd->sdl : nullptr; }
}  // namespace platform

bool RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return false;
    auto& sys = System();
    std::lock_guard lock(sys.mutex);
    return sys.classes.emplace(windowClass->lpszClassName, windowClass->lpfnWndProc).second;
}

bool UnregisterClassA(const char* className, HINSTANCE) {
    auto& sys = System();
    std::lock_guard lock(sys.mutex);
    return className && sys.classes.erase(className) > 0;
}

HWND CreateWindowExA(DWORD, const char* className, const char* title, DWORD, int x, int y, int width,
                     int height, HWND, void*, HINSTANCE, void*) {
    auto& sys = System();
    WNDPROC proc = nullptr;
    {
        std::lock_guard lock(sys.mutex);
        auto found = sys.classes.find(className ? className : "");
        if (found == sys.classes.end()) return nullptr;
        proc = found->second;
    }
    platform::ReturnLargeBlocksWhenFreed();
    auto* hwnd = new HWND__;
    hwnd->proc = proc;
    hwnd->outer = RECT{x, y, x + width, y + height};
    hwnd->clientWidth = width;
    hwnd->clientHeight = height;
    if (!platform::GetSettings().headless) {
        if (!platform::InitVideo()) {
            delete hwnd;
            return nullptr;
        }
        // Resizable whatever the style asks: the device scales its frame to any client size.
        hwnd->sdl = SDL_CreateWindow(title ? title : "", x, y, width, height,
                                     SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
        if (!hwnd->sdl) {
            delete hwnd;
            return nullptr;
        }
        SDL_SetWindowData(hwnd->sdl, platform::kHwndKey, hwnd);
        int top, left, bottom, right;
        Borders(hwnd, top, left, bottom, right);
        hwnd->clientWidth = width - left - right;
        hwnd->clientHeight = height - top - bottom;
        SDL_SetWindowSize(hwnd->sdl, hwnd->clientWidth, hwnd->clientHeight);
        SDL_SetWindowPosition(hwnd->sdl, x + left, y + top);
    }
    std::lock_guard lock(sys.mutex);
    if (!sys.main) sys.main = hwnd;
    return hwnd;
}

bool DestroyWindow(HWND hwnd) {
    if (!hwnd || hwnd == &System().desktop) return false;
    if (hwnd->proc) hwnd->proc(hwnd, WM_DESTROY, 0, 0);
    if (hwnd->sdl) {
        SDL_DestroyWindow(hwnd->sdl);
        platform::UpdateMouseCapture();
    }
    auto& sys = System();
    std::lock_guard lock(sys.mutex);
    if (sys.main == hwnd) sys.main = nullptr;
    delete hwnd;
    return true;
}

HWND GetDesktopWindow() {
    HWND desktop = &System().desktop;
    desktop->outer = RECT{0, 0, 1920, 1080};
    SDL_DisplayMode mode;
    if (!platform::GetSettings().headless && platform::InitVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        desktop->outer = RECT{0, 0, mode.w, mode.h};
    }
    desktop->clientWidth = desktop->outer.right;
    desktop->clientHeight = desktop->outer.bottom;
    return desktop;
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
    if (!hwnd || !rect) return false;
    *rect = hwnd->outer;
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    if (!hwnd || !rect) return false;
    *rect = RECT{0, 0, hwnd->clientWidth, hwnd->clientHeight};
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool) {
    if (!hwnd) return false;
    int top, left, bottom, right;
    Borders(hwnd, top, left, bottom, right);
    hwnd->outer = RECT{x, y, x + width, y + height};
    hwnd->clientWidth = width - left - right;
    hwnd->clientHeight = height - top - bottom;
    if (hwnd->sdl) {
        SDL_SetWindowSize(hwnd->sdl, hwnd->clientWidth, hwnd->clientHeight);
        SDL_SetWindowPosition(hwnd->sdl, x + left, y + top);
    }
    SendSize(hwnd);
    return true;
}

bool ShowWindow(HWND hwnd, int command) {
    if (!hwnd) return false;
    const bool wasVisible = hwnd->visible;
    hwnd->visible = command != SW_HIDE;
    if (hwnd->sdl) {
        if (hwnd->visible) {
            SDL_ShowWindow(hwnd->sdl);
            SDL_RaiseWindow(hwnd->sdl);
        } else {
            SDL_HideWindow(hwnd->sdl);
        }
    }
    return wasVisible;
}

bool UpdateWindow(HWND hwnd) { return hwnd != nullptr; }

bool PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
    auto& sys = System();
    {
        std::lock_guard lock(sys.mutex);
        if (!sys.posted.empty()) {
            *msg = sys.posted.front();
            if (removeFlags & PM_REMOVE) sys.posted.pop_front();
            return true;
        }
    }
    if (platform::GetSettings().headless || !SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (platform::HandleDesktopKey(e)) continue;
        platform::FeedSdlInputEvent(&e);
        if (Translate(e, sys.main, msg)) return true;
    }
    return false;
}

bool TranslateMessage(const MSG* msg) { return msg != nullptr; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd || !msg->hwnd->proc) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

void PostQuitMessage(int exitCode) {
    auto& sys = System();
    std::lock_guard lock(sys.mutex);
    sys.posted.push_back(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& sys = System();
    std::lock_guard lock(sys.mutex);
    sys.posted.push_back(MSG{hwnd, message, wParam, lParam});
    return true;
}
