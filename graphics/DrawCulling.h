#pragma once
// The gate every mesh draw of the shadow and scene passes goes through: it counts the draws asked for
// and lets through only those whose box can reach the target. VELDORIN_CULL=0 in the environment lets
// every draw through (the pictures must be the same either way; only the work differs).
#include <array>

#include "graphics/MeshBox.h"

enum class DrawPass { Shadow, Scene };
inline constexpr int kDrawPassCount = 2;

// "shadow", "scene".
const char* DrawPassName(DrawPass pass);

struct DrawCount {
    long asked = 0;
    long submitted = 0;
};

class DrawCulling {
public:
    // On unless VELDORIN_CULL is "0" when first asked; tests may switch it.
    static bool& Enabled();
    // Counts a draw of `box` placed by `world` and seen through `viewProj`; false when culling is on and
    // no part of it, grown by `margin` in world space, lies inside the clip volume.
    static bool Admit(DrawPass pass, const MeshBox& box, const D3DXMATRIX& world, const D3DXMATRIX& viewProj,
                      float margin = 0.0f);
    // A draw whose extent is not known beforehand (skinned figures): counted and always submitted.
    static void CountUncullable(DrawPass pass);
    // The draws counted since the last Reset.
    static std::array<DrawCount, kDrawPassCount>& Counts();
    static void Reset() { Counts() = {}; }
};
