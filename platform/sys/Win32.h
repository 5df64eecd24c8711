#pragma once
// The window, message and timing calls of the game, with the meaning they have on Windows, on SDL2.
// Only the subset the game uses exists.
#include <cstdint>

#include "platform/d3d9/D3D9Types.h"

typedef intptr_t LRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef void* HINSTANCE;
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    int32_t left, top, right, bottom;
};
struct POINT {
    int32_t x, y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// --- window messages ---
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_MOUSEWHEEL = 0x020A;

// --- window styles and commands ---
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr UINT PM_REMOVE = 1;

// The window class: what the game registers (icon, cursor and background brush have no meaning here).
struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    const char* lpszClassName;
};

bool RegisterClassExA(const WNDCLASSEXA* windowClass);
bool UnregisterClassA(const char* className, HINSTANCE instance);
// Creates the window hidden; x, y, width and height are its outer rectangle.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
bool DestroyWindow(HWND hwnd);
HWND GetDesktopWindow();
bool GetWindowRect(HWND hwnd, RECT* rect);
bool GetClientRect(HWND hwnd, RECT* rect);
// Moves and sizes the outer rectangle; the window procedure receives WM_SIZE before it returns.
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool ShowWindow(HWND hwnd, int command);
bool UpdateWindow(HWND hwnd);

// --- message queue ---
bool PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Queues a message for the window (used by the headless runner to close its window).
bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// --- message boxes (texts are UTF-8) ---
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// --- time ---
DWORD timeGetTime();
UINT timeBeginPeriod(UINT periodMs);
void Sleep(DWORD milliseconds);
