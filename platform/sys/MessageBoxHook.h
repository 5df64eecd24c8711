#pragma once
// Lets a process answer message boxes without a person (the headless runner, tests).
#include <functional>

#include "platform/sys/Win32.h"

namespace platform {

using MessageBoxHandler = std::function<int(const char* text, const char* caption, UINT type)>;

// Installs a handler for every later MessageBoxA; an empty handler restores the on-screen boxes.
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
