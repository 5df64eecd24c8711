#include "graphics/DrawCulling.h"

#include <cstdlib>
#include <cstring>

const char* DrawPassName(DrawPass pass) { return pass == DrawPass::Shadow ? "shadow" : "scene"; }

bool& DrawCulling::Enabled() {
    static bool enabled = [] {
        const char* value = std::getenv("VELDORIN_CULL");
        return !(value && std::strcmp(value, "0") == 0);
    }();
    return enabled;
}

std::array<DrawCount, kDrawPassCount>& DrawCulling::Counts() {
    static std::array<DrawCount, kDrawPassCount> counts{};
    return counts;
}

bool DrawCulling::Admit(DrawPass pass, const MeshBox& box, const D3DXMATRIX& world, const D3DXMATRIX& viewProj,
                        float margin) {
    DrawCount& count = Counts()[static_cast<int>(pass)];
    ++count.asked;
    if (Enabled()) {
        // Without a margin the box goes to clip space whole (tighter than a box around the placed box).
        const bool outside = margin == 0.0f ? BoxOutsideClip(box, world * viewProj)
                                            : BoxOutsideClip(box.Carried(world, margin), viewProj);
        if (outside) return false;
    }
    ++count.submitted;
    return true;
}

void DrawCulling::CountUncullable(DrawPass pass) {
    DrawCount& count = Counts()[static_cast<int>(pass)];
    ++count.asked;
    ++count.submitted;
}
