// The stage's exit: a pale stone archway 2 wide and about 2.5 tall on an oval dais, a glowing swirl
// filling the opening (seen from either side) and a pool of light on the dais, with ice crystals
// standing at its corners. It is drawn unlit and without outline, so the shading is painted in: the
// faces of the stones are lighter than their sides, and the light parts are near white.
#include <cmath>
#include <vector>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

constexpr float kDais = 0.1f;         // top of the dais
constexpr float kSpring = 1.45f;      // where the arch springs from the pillars
constexpr float kOpening = 0.73f;     // half width of the opening
constexpr float kSwirlY = 1.2f;       // centre of the swirl

XMaterial Lit(float r, float g, float b, const std::string& texture = "") {
    XMaterial m = Colour(r, g, b, 1, 10, 0.0f, {r, g, b});
    m.texture = texture;
    return m;
}

D3DXMATRIX Squash(float x, float y, float z, const D3DXVECTOR3& at) {
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, x, y, z);
    return Place(m, at);
}

// The door-shaped surface filling the opening, both sides, the swirl's middle at kSwirlY.
void AddPortal(MeshBuilder& b) {
    std::vector<D3DXVECTOR3> outline = {{-kOpening, kDais, 0}, {0, kDais, 0}, {kOpening, kDais, 0},
                                        {kOpening, (kDais + kSpring) / 2, 0}};
    for (int i = 0; i <= 16; ++i) {
        const float a = D3DX_PI * i / 16;
        outline.push_back({kOpening * std::cos(a), kSpring + kOpening * std::sin(a), 0});
    }
    outline.push_back({-kOpening, (kDais + kSpring) / 2, 0});
    auto vertex = [](const D3DXVECTOR3& p, float side) {
        return BuildVertex{p, {0, 0, side}, {0.5f + p.x / 2.7f, 0.5f - (p.y - kSwirlY) / 2.7f}};
    };
    const D3DXVECTOR3 centre(0, kSwirlY, 0);
    for (float side : {-1.0f, 1.0f})
        for (size_t i = 0; i < outline.size(); ++i)
            b.AddTriangle(vertex(centre, side), vertex(outline[i], side), vertex(outline[(i + 1) % outline.size()], side));
}

// A four-pointed sparkle: two thin crossed gems.
void AddSparkle(MeshBuilder& b, const D3DXVECTOR3& at, float size) {
    AddGem(b, at, size * 0.15f, size, {0, 0, 1}, 0.2f);
    AddGem(b, at, size * 0.15f, size * 0.7f, {0, 0, 1}, 0.2f + D3DX_PI / 2);
}

XModel Goal() {
    MeshBuilder b("Goal");
    const uint32_t face = b.AddMaterial(Lit(0.86f, 0.93f, 1.0f, "stone_block.png"));
    const uint32_t side = b.AddMaterial(Lit(0.55f, 0.68f, 0.90f, "stone_block.png"));
    const uint32_t mortar = b.AddMaterial(Lit(0.32f, 0.45f, 0.72f));
    const uint32_t trim = b.AddMaterial(Lit(0.95f, 0.98f, 1.0f));
    const uint32_t crystalFace = b.AddMaterial(Lit(0.60f, 0.96f, 1.0f));
    const uint32_t crystalSide = b.AddMaterial(Lit(0.35f, 0.75f, 0.98f));
    const uint32_t glow = b.AddMaterial(Lit(0.80f, 1.0f, 1.0f));
    const uint32_t swirl = b.AddMaterial(Lit(1, 1, 1, "goal_swirl.png"));

    // The dais: an oval step with a bright ring and a pool of light inside it.
    b.UseMaterial(side);
    b.AddCylinder({0, 0, 0}, kDais, {1.15f, 0.8f}, {1.1f, 0.76f}, 40);
    b.SetPlacement(Squash(1, 1, 0.68f, {0, 0, 0}));
    b.UseMaterial(crystalFace);
    b.AddCylinder({0, kDais, 0}, 0.006f, {0.8f, 0.8f}, {0.8f, 0.8f}, 40);
    b.UseMaterial(glow);
    AddTube(b, kDais, kDais + 0.012f, 0.8f, 0.93f, 40);
    b.SetPlacement(Identity());

    // The pillars: darker sides, light panels on the faces, a plinth and a capital each.
    const float pillarX = kOpening + 0.145f;
    for (float s : {-1.0f, 1.0f}) {
        b.UseMaterial(side);
        b.AddBox({s * pillarX, (kDais + kSpring) / 2, 0}, {0.135f, (kSpring - kDais) / 2, 0.2f});
        b.UseMaterial(face);
        for (float z : {-0.201f, 0.201f}) b.AddBox({s * pillarX, (kDais + kSpring) / 2, z}, {0.105f, 0.6f, 0.002f});
        b.UseMaterial(trim);
        b.AddBox({s * pillarX, kDais + 0.06f, 0}, {0.17f, 0.06f, 0.23f});
        b.AddBox({s * pillarX, kSpring - 0.04f, 0}, {0.17f, 0.04f, 0.23f});
        b.UseMaterial(glow);  // the glowing edge of the opening
        b.AddBox({s * (kOpening - 0.02f), (kDais + kSpring) / 2, 0}, {0.03f, (kSpring - kDais) / 2, 0.12f});
    }

    // The arch: seven stones round a darker bed, a crystal keystone, a glowing inner edge.
    b.SetPlacement(Place(Identity(), {0, kSpring, 0}));
    AddArc(b, kOpening + 0.04f, kOpening + 0.25f, 0, D3DX_PI, 0.17f, 28, mortar, mortar);
    for (int k = 0; k < 7; ++k) {
        const float a0 = D3DX_PI * k / 7 + 0.015f, a1 = D3DX_PI * (k + 1) / 7 - 0.015f;
        if (k == 3)
            AddArc(b, kOpening, kOpening + 0.33f, a0, a1, 0.22f, 4, crystalFace, crystalSide);
        else
            AddArc(b, kOpening + 0.02f, kOpening + 0.27f, a0, a1, 0.2f, 4, face, side);
    }
    AddArc(b, kOpening - 0.03f, kOpening + 0.03f, 0, D3DX_PI, 0.12f, 28, glow, glow);
    b.SetPlacement(Identity());

    // The swirl, sparkles drifting before it on both sides, crystals at the dais' corners.
    b.UseMaterial(swirl);
    AddPortal(b);
    b.UseMaterial(trim);
    const D3DXVECTOR3 sparkles[] = {{-0.35f, 1.65f, 0}, {0.42f, 1.45f, 0}, {0.2f, 0.7f, 0}, {-0.45f, 0.55f, 0},
                                    {0.05f, 1.9f, 0}};
    for (size_t i = 0; i < std::size(sparkles); ++i)
        for (float z : {-0.05f, 0.05f}) AddSparkle(b, sparkles[i] + D3DXVECTOR3(0, 0, z), 0.07f + 0.02f * (i % 3));
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f}) {
            b.UseMaterial(crystalFace);
            AddGem(b, {sx * 1.0f, kDais + 0.2f, sz * 0.3f}, 0.07f, 0.26f, {0, 0, 1}, -0.15f * sx);
            b.UseMaterial(crystalSide);
            AddGem(b, {sx * 0.92f, kDais + 0.1f, sz * 0.42f}, 0.05f, 0.15f, {1, 0, 0}, 0.4f * sz);
        }
    return SingleModel("Goal", b);
}

}  // namespace

bool WriteGoal(const std::string& root) {
    const std::string folder = root + "/data/xfile/Object/";
    return WriteX(folder + "Goal.x", Goal()) && WriteSwirlTexture(folder + "goal_swirl.png", 256);
}

}  // namespace xmodels
