#pragma once
// Switching the game's window between full screen and a framed window while it runs (what Alt+Enter
// does), for the options.
#include "platform/sys/Win32.h"

namespace platform {
void SetWindowFullScreen(HWND hwnd, bool on);
bool IsWindowFullScreen(HWND hwnd);
}  // namespace platform
