// Culling keeps every draw that can reach a pixel: unit boxes just inside and just outside each plane
// of a camera's frustum and of the shadow light's volume, placed, scaled and grown by outline margins.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/DrawCulling.h"
#include "platform/d3dx/MeshTypes.h"
#include "shaders/CShadowMapShader.h"

namespace {

struct Case {
    const char* what;
    D3DXVECTOR3 centre;
    float scale, margin;
    bool kept;
};

D3DXMATRIX Place(const Case& c) {
    D3DXMATRIX scale, move;
    D3DXMatrixScaling(&scale, c.scale, c.scale, c.scale);
    D3DXMatrixTranslation(&move, c.centre.x, c.centre.y, c.centre.z);
    return scale * move;
}

void Check(const D3DXMATRIX& viewProj, std::initializer_list<Case> cases) {
    MeshVertex low{}, high{};
    low.position = D3DXVECTOR3(-0.5f, -0.5f, -0.5f);
    high.position = D3DXVECTOR3(0.5f, 0.5f, 0.5f);
    const MeshBox box = MeshBox::Around({high, low});
    DrawCulling::Reset();
    long kept = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(DrawCulling::Admit(DrawPass::Scene, box, Place(c), viewProj, c.margin), c.kept) << c.what;
        kept += c.kept;
    }
    EXPECT_EQ(DrawCulling::Counts()[1].asked, static_cast<long>(cases.size()));
    EXPECT_EQ(DrawCulling::Counts()[1].submitted, kept);
    // Switched off, the gate lets every one of them through.
    DrawCulling::Enabled() = false;
    for (const Case& c : cases) EXPECT_TRUE(DrawCulling::Admit(DrawPass::Shadow, box, Place(c), viewProj)) << c.what;
    DrawCulling::Enabled() = true;
    EXPECT_EQ(DrawCulling::Counts()[0].submitted, static_cast<long>(cases.size()));
    DrawCulling::Reset();
}

TEST(DrawCulling, BoxesAtTheEdgesOfTheViewFrustum) {
    // From the origin along +z, 60 degrees high, 4:3, near 0.1, far 50. At depth z the frustum reaches
    // out to x = z * tx and y = z * ty; a box is seen where its far face reaches inside.
    const D3DXVECTOR3 eye(0, 0, 0), at(0, 0, 1), up(0, 1, 0);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 3.14159265f / 3.0f, 4.0f / 3.0f, 0.1f, 50.0f);
    const float ty = std::tan(3.14159265f / 6.0f), tx = ty * 4.0f / 3.0f;
    const float right = 10.5f * tx + 0.5f, top = 10.5f * ty + 0.5f;
    Check(view * projection, {
        {"ahead", {0, 0, 10}, 1, 0, true},
        {"touching the right plane", {right - 0.02f, 0, 10}, 1, 0, true},
        {"just past the right plane", {right + 0.02f, 0, 10}, 1, 0, false},
        {"just past the left plane", {-right - 0.02f, 0, 10}, 1, 0, false},
        {"touching the top plane", {0, top - 0.02f, 10}, 1, 0, true},
        {"just past the top plane", {0, top + 0.02f, 10}, 1, 0, false},
        {"just past the bottom plane", {0, -top - 0.02f, 10}, 1, 0, false},
        {"around the eye", {0, 0, 0}, 1, 0, true},
        {"behind the eye", {0, 0, -0.7f}, 1, 0, false},
        {"touching the far plane", {0, 0, 50.4f}, 1, 0, true},
        {"past the far plane", {0, 0, 50.6f}, 1, 0, false},
        {"out of sight at its size", {right + 0.7f, 0, 10}, 1, 0, false},
        {"in sight once scaled up", {right + 0.7f, 0, 10}, 4, 0, true},
        {"past the plane by less than its outline", {right + 0.14f, 0, 10}, 1, 0.15f, true},
        {"past the plane by more than its outline", {right + 0.4f, 0, 10}, 1, 0.15f, false},
        {"past the left plane by less than its outline", {-right - 0.14f, 0, 10}, 1, 0.15f, true},
    });
}

TEST(DrawCulling, BoxesAtTheEdgesOfTheLightVolume) {
    // The shadow pass's light along +z from a focus at the origin: x within 15, y within 15 of height 2,
    // depth 1 to 100 from the eye at z = -30.
    const D3DXVECTOR3 direction(0, 0, 1), focus(0, 0, 0), up(0, 1, 0);
    const D3DXVECTOR3 eye = ShadowLightEye(focus, direction);
    const D3DXVECTOR3 at = eye + direction;
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixOrthoLH(&projection, 30.0f, 30.0f, 1.0f, 100.0f);
    Check(view * projection, {
        {"at the focus", {0, 2, 0}, 1, 0, true},
        {"touching the right side", {15.4f, 2, 0}, 1, 0, true},
        {"past the right side", {15.6f, 2, 0}, 1, 0, false},
        {"past the left side", {-15.6f, 2, 0}, 1, 0, false},
        {"touching the top", {0, 17.4f, 0}, 1, 0, true},
        {"past the top", {0, 17.6f, 0}, 1, 0, false},
        {"past the bottom", {0, -13.6f, 0}, 1, 0, false},
        {"touching the near plane", {0, 2, -29.4f}, 1, 0, true},
        {"behind the near plane", {0, 2, -29.6f}, 1, 0, false},
        {"touching the far plane", {0, 2, 70.4f}, 1, 0, true},
        {"past the far plane", {0, 2, 70.6f}, 1, 0, false},
    });
}

TEST(DrawCulling, AMeshWithoutVerticesIsNeverDropped) {
    D3DXMATRIX far;
    D3DXMatrixTranslation(&far, 1000, 1000, 1000);
    EXPECT_TRUE(MeshBox{}.empty);
    EXPECT_FALSE(BoxOutsideClip(MeshBox{}, far));
    EXPECT_FALSE(BoxOutsideClip(MeshBox{}.Carried(far, 1.0f), far));
}

}  // namespace
