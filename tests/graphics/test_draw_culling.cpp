// Culling keeps every draw that can reach a pixel: unit boxes just inside and just outside each plane
// of a camera's frustum and of the shadow light's volume, placed, scaled and grown by outline margins.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/DrawCulling.h"
#include "shaders/CShadowMapShader.h"

namespace {

struct Case { D3DXVECTOR3 centre; float scale, margin; bool kept; };

// Each case through the gate on, counted, then all again with the gate off (every one let through).
void Check(const D3DXVECTOR3& eye, const D3DXVECTOR3& at, const D3DXMATRIX& projection, std::initializer_list<Case> cases) {
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMATRIX view, scale, move;
    MeshBox box;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    box.Extend(D3DXVECTOR3(0.5f, 0.5f, 0.5f)), box.Extend(D3DXVECTOR3(-0.5f, -0.5f, -0.5f));
    long kept = 0, row = 0;
    DrawCulling::Reset();
    for (bool enabled : {true, false}) {
        DrawCulling::Enabled() = enabled;
        for (const Case& c : cases) {
            D3DXMatrixScaling(&scale, c.scale, c.scale, c.scale);
            D3DXMatrixTranslation(&move, c.centre.x, c.centre.y, c.centre.z);
            EXPECT_EQ(DrawCulling::Admit(DrawPass::Scene, box, scale * move, view * projection, c.margin),
                      c.kept || !enabled) << "row " << row++ % cases.size() << (enabled ? " culling" : " not culling");
            kept += c.kept || !enabled;
        }
    }
    DrawCulling::Enabled() = true;
    EXPECT_TRUE(DrawCulling::Counts()[1].asked == long(2 * cases.size()) && DrawCulling::Counts()[1].submitted == kept);
}

TEST(DrawCulling, BoxesAtTheEdgesOfTheViewFrustumAndOfTheLightVolume) {
    // From the origin along +z, 60 degrees high, 4:3, near 0.1, far 50: at depth z the frustum reaches
    // x = z tx and y = z ty; a box is seen where its far face reaches inside.
    D3DXMATRIX perspective, ortho;
    D3DXMatrixPerspectiveFovLH(&perspective, 3.14159265f / 3.0f, 4.0f / 3.0f, 0.1f, 50.0f);
    const float ty = std::tan(3.14159265f / 6.0f), r = 10.5f * ty * 4.0f / 3.0f + 0.5f, t = 10.5f * ty + 0.5f;
    Check({0, 0, 0}, {0, 0, 1}, perspective,
          {{{0, 0, 10}, 1, 0, true}, {{r - 0.02f, 0, 10}, 1, 0, true}, {{r + 0.02f, 0, 10}, 1, 0, false},
           {{-r - 0.02f, 0, 10}, 1, 0, false}, {{0, t - 0.02f, 10}, 1, 0, true}, {{0, t + 0.02f, 10}, 1, 0, false},
           {{0, -t - 0.02f, 10}, 1, 0, false}, {{0, 0, 0}, 1, 0, true}, {{0, 0, -0.7f}, 1, 0, false},
           {{0, 0, 50.4f}, 1, 0, true}, {{0, 0, 50.6f}, 1, 0, false},
           // scaled into sight; outline shells reaching in from either side, or not reaching
           {{r + 0.7f, 0, 10}, 1, 0, false}, {{r + 0.7f, 0, 10}, 4, 0, true}, {{r + 0.14f, 0, 10}, 1, 0.15f, true},
           {{-r - 0.14f, 0, 10}, 1, 0.15f, true}, {{r + 0.4f, 0, 10}, 1, 0.15f, false}});
    // The shadow pass's light along +z from a focus at the origin: x within 15, y within 15 of height
    // 2, depth 1 to 100 from the eye at z = -30.
    const D3DXVECTOR3 eye = ShadowLightEye(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    D3DXMatrixOrthoLH(&ortho, 30.0f, 30.0f, 1.0f, 100.0f);
    Check(eye, eye + D3DXVECTOR3(0, 0, 1), ortho,
          {{{0, 2, 0}, 1, 0, true}, {{15.4f, 2, 0}, 1, 0, true}, {{15.6f, 2, 0}, 1, 0, false},
           {{-15.6f, 2, 0}, 1, 0, false}, {{0, 17.4f, 0}, 1, 0, true}, {{0, -13.6f, 0}, 1, 0, false},
           {{0, 2, -29.4f}, 1, 0, true}, {{0, 2, -29.6f}, 1, 0, false}, {{0, 2, 70.4f}, 1, 0, true},
           {{0, 2, 70.6f}, 1, 0, false}});
    EXPECT_FALSE(BoxOutsideClip(MeshBox{}, ortho)) << "a mesh without vertices has no known extent: never dropped";
}

}  // namespace
