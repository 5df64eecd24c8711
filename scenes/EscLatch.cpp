#include "scenes/EscLatch.h"

#include "platform/input/Input.h"

bool EscLatch::Pressed() {
    const bool down = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
    if (!down) {
        Held() = false;
        return false;
    }
    if (Held()) return false;
    Held() = true;
    return true;
}
