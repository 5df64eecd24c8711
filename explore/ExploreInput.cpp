#include "explore/ExploreInput.h"

void ExploreInput::BeginFrame(const FrameInput& next) {
    for (int vk = 0; vk < kVirtualKeyCount; ++vk) {
        if (next.keys[vk] && !current.keys[vk]) ++presses[vk];
    }
    current = next;
    pendingDx += next.mouseDx;
    pendingDy += next.mouseDy;
}

POINT ExploreInput::CursorPos() {
    cursor.x += pendingDx;
    cursor.y += pendingDy;
    pendingDx = pendingDy = 0;
    return cursor;
}
