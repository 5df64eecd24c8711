// The treasure chest, shut and open, and the cold gun lying ready to be taken.
//  - Chest: 1 wide (x), 0.7 deep (z), 1.1 tall, front +z: a plank box up to 0.8 under a rounded lid,
//    gold corners, bands and a lock. ChestOpen has the lid swung back 100 degrees about its hinge at
//    the back top edge (y 0.8, z -0.35) and gold and a glinting blue gem inside.
//  - ColdGun: about 0.8 long along x (muzzle towards +x), between y 0.5 and 0.9 and centred on the y
//    axis so that it spins in place: a dark grip, a steel body and an ice-crystal barrel.
#include <cmath>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"

namespace xmodels {
namespace {

// Tall enough that a player walking up meets its front (and reaches for it) instead of stepping on.
constexpr float kBodyTop = 0.8f, kHalfWidth = 0.5f, kHalfDepth = 0.35f, kLidRise = 0.28f;
constexpr float kInside = kBodyTop - 0.44f;  // the treasure sits this much higher in the deeper box
constexpr int kLidSteps = 12;

XMaterial Wood(float r, float g, float b) {
    XMaterial m = Colour(r, g, b, 1, 6, 0.05f);
    m.texture = "wood_planks.png";
    return m;
}

XMaterial Gold() { return Colour(0.98f, 0.76f, 0.26f, 1, 40, 0.9f); }

// The lid in its own space, the hinge line on the x axis: a half ellipse across the chest's depth
// (z from 0 to 0.7, up to `kLidRise`), grown by `grow` and cut to x0..x1. The underside takes `under`.
void AddLidShell(MeshBuilder& b, float x0, float x1, float grow, uint32_t outside, uint32_t under) {
    const float rz = kHalfDepth + grow, ry = kLidRise + grow;
    auto rim = [&](int i) {
        const float a = D3DX_PI * i / kLidSteps;  // 0 at the front edge, pi at the hinge
        D3DXVECTOR3 n(0, std::sin(a) / ry, std::cos(a) / rz);
        D3DXVec3Normalize(&n, &n);
        return std::pair{D3DXVECTOR3(0, ry * std::sin(a), kHalfDepth + rz * std::cos(a)), n};
    };
    b.UseMaterial(outside);
    for (int i = 0; i < kLidSteps; ++i) {
        const auto [p0, n0] = rim(i);
        const auto [p1, n1] = rim(i + 1);
        const float v0 = static_cast<float>(i) / kLidSteps * 1.1f, v1 = static_cast<float>(i + 1) / kLidSteps * 1.1f;
        b.AddQuad({p0 + D3DXVECTOR3(x0, 0, 0), n0, {x0, v0}}, {p0 + D3DXVECTOR3(x1, 0, 0), n0, {x1, v0}},
                  {p1 + D3DXVECTOR3(x1, 0, 0), n1, {x1, v1}}, {p1 + D3DXVECTOR3(x0, 0, 0), n1, {x0, v1}});
        // The two ends, fans from the middle of the flat underside.
        for (float x : {x0, x1}) {
            const D3DXVECTOR3 n(x < x1 ? -1.0f : 1.0f, 0, 0), centre(x, 0, kHalfDepth);
            b.AddTriangle({centre, n, {0.5f, 1}}, {p0 + D3DXVECTOR3(x, 0, 0), n, {p0.z, -p0.y}},
                          {p1 + D3DXVECTOR3(x, 0, 0), n, {p1.z, -p1.y}});
        }
    }
    b.UseMaterial(under);
    const D3DXVECTOR3 down(0, -1, 0);
    const float back = kHalfDepth - rz, front = kHalfDepth + rz;
    b.AddQuad({{x0, 0, back}, down, {0, 0}}, {{x1, 0, back}, down, {1, 0}}, {{x1, 0, front}, down, {1, 1}},
              {{x0, 0, front}, down, {0, 1}});
}

XModel Chest(bool open) {
    MeshBuilder b(open ? "ChestOpen" : "Chest");
    const uint32_t plank = b.AddMaterial(Wood(0.72f, 0.42f, 0.22f));
    const uint32_t lidWood = b.AddMaterial(Wood(0.80f, 0.48f, 0.25f));
    const uint32_t inside = b.AddMaterial(Colour(0.30f, 0.16f, 0.09f, 1, 4, 0.02f));
    const uint32_t gold = b.AddMaterial(Gold());
    const uint32_t keyhole = b.AddMaterial(Colour(0.08f, 0.05f, 0.04f, 1, 4, 0.0f));

    // The body: a floor and four walls 0.06 thick, two planks high.
    const float w = kHalfWidth - 0.04f, d = kHalfDepth - 0.03f, h = kBodyTop / 4;
    b.UseMaterial(inside);
    b.AddBox({0, 0.05f, 0}, {w, 0.05f, d});
    b.UseMaterial(plank);
    for (int row = 0; row < 2; ++row) {
        const float y = h + 2 * h * row, hh = h - 0.006f;
        for (float s : {-1.0f, 1.0f}) {
            AddPlank(b, {0, y, s * d}, {w, hh, 0.03f}, 0, 0.3f * row + s);
            AddPlank(b, {s * w, y, 0}, {0.04f, hh, d - 0.03f}, 2, 0.7f * row + s);
        }
    }
    // Gold on the corners, a band under the lid's edge and the lock in front.
    b.UseMaterial(gold);
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f})
            AddBevelBox(b, {sx * (kHalfWidth - 0.04f), kBodyTop / 2, sz * (kHalfDepth - 0.035f)}, {0.04f, kBodyTop / 2, 0.035f},
                        0.012f);
    for (float sz : {-1.0f, 1.0f}) AddBevelBox(b, {0, kBodyTop - 0.03f, sz * d}, {w, 0.03f, 0.04f}, 0.01f);
    AddBevelBox(b, {0, kBodyTop - 0.10f, kHalfDepth + 0.005f}, {0.075f, 0.08f, 0.02f}, 0.012f);
    b.UseMaterial(keyhole);
    b.AddBox({0, kBodyTop - 0.13f, kHalfDepth + 0.02f}, {0.012f, 0.03f, 0.008f});
    b.AddEllipsoid({0, kBodyTop - 0.095f, kHalfDepth + 0.02f}, {0.02f, 0.02f, 0.008f}, 4, 8);

    // The lid about its hinge: shut it lies on the body; open it has swung back past upright.
    const D3DXMATRIX lid = Place(RotationX(open ? -D3DXToRadian(100) : 0.0f), {0, kBodyTop, -kHalfDepth});
    b.SetPlacement(lid);
    AddLidShell(b, -kHalfWidth, kHalfWidth, 0, lidWood, inside);
    for (float x : {-0.5f, -0.3f, 0.26f, 0.46f}) AddLidShell(b, x, x + 0.04f, 0.012f, gold, gold);
    b.UseMaterial(gold);  // the hasp that hangs over the lock
    AddBevelBox(b, {0, -0.02f, 2 * kHalfDepth + 0.03f}, {0.05f, 0.05f, 0.012f}, 0.008f);
    b.SetPlacement(Identity());

    if (open) {
        // A heap of gold coins, loose coins on it and a big ice-blue gem with a sparkle above.
        b.UseMaterial(gold);
        b.AddEllipsoid({0, 0.30f + kInside, 0}, {0.40f, 0.14f, 0.26f}, 6, 14, 0.12f);
        for (int k = 0; k < 7; ++k) {
            const float a = 0.9f * k, r = 0.08f + 0.035f * k;
            const D3DXVECTOR3 at(r * std::cos(a), kInside + 0.38f + 0.06f * std::cos(r * 4) - 0.02f * (k % 3), 0.7f * r * std::sin(a));
            b.SetPlacement(Place(RotationX(0.3f * std::sin(2.0f * k)) * RotationZ(0.4f * std::cos(1.3f * k)), at));
            b.AddCylinder({0, 0, 0}, 0.014f, {0.055f, 0.055f}, {0.055f, 0.055f}, 10);
        }
        b.SetPlacement(Identity());
        b.UseMaterial(b.AddMaterial(Colour(0.55f, 0.90f, 1.0f, 1, 80, 1.0f, {0.3f, 0.5f, 0.6f})));
        AddGem(b, {0.06f, 0.50f + kInside, 0.02f}, 0.08f, 0.12f, {0, 0, 1}, 0.25f);
        b.UseMaterial(b.AddMaterial(Colour(0.95f, 0.25f, 0.35f, 1, 80, 1.0f)));
        AddGem(b, {-0.2f, 0.44f + kInside, 0.08f}, 0.045f, 0.06f, {1, 0, 0}, 0.5f);
        b.UseMaterial(b.AddMaterial(Colour(1.0f, 1.0f, 1.0f, 1, 80, 1.0f, {0.6f, 0.6f, 0.6f})));
        AddGem(b, {0.14f, 0.68f + kInside, 0.06f}, 0.012f, 0.07f);
        AddGem(b, {0.14f, 0.68f + kInside, 0.06f}, 0.012f, 0.07f, {0, 0, 1}, D3DX_PI / 2);
    }
    return SingleModel(open ? "ChestOpen" : "Chest", b);
}

// A round section along +x from x0 to x1 at the barrel's height.
void AddAlongX(MeshBuilder& b, float x0, float x1, float r0, float r1, int segments, float y = 0.76f) {
    b.SetPlacement(Place(RotationZ(-D3DX_PI / 2), {x0, y, 0}));
    b.AddCylinder({0, 0, 0}, x1 - x0, {r0, r0}, {r1, r1}, segments);
    b.SetPlacement(Identity());
}

XModel ColdGun() {
    MeshBuilder b("ColdGun");
    const uint32_t steel = b.AddMaterial(Colour(0.24f, 0.32f, 0.48f, 1, 30, 0.5f));
    const uint32_t trim = b.AddMaterial(Colour(0.82f, 0.88f, 0.95f, 1, 40, 0.7f));
    const uint32_t grip = b.AddMaterial(Colour(0.12f, 0.12f, 0.16f, 1, 8, 0.1f));
    const uint32_t ice = b.AddMaterial(Colour(0.55f, 0.92f, 1.0f, 1, 70, 1.0f, {0.3f, 0.55f, 0.65f}));
    const uint32_t core = b.AddMaterial(Colour(0.85f, 1.0f, 1.0f, 1, 70, 1.0f, {0.5f, 0.7f, 0.75f}));

    // The body, a silver cap at the back and a short collar where the barrel starts.
    b.UseMaterial(steel);
    AddBevelBox(b, {-0.08f, 0.76f, 0}, {0.17f, 0.075f, 0.085f}, 0.03f);
    b.UseMaterial(trim);
    AddBevelBox(b, {-0.30f, 0.76f, 0}, {0.06f, 0.062f, 0.07f}, 0.02f);
    AddAlongX(b, 0.07f, 0.13f, 0.075f, 0.07f, 10);
    b.AddBox({0.02f, 0.845f, 0}, {0.02f, 0.015f, 0.012f});  // the sight

    // The grip slants back under the body; the trigger guard is a small ring before it.
    b.UseMaterial(grip);
    b.SetPlacement(Place(RotationZ(-0.3f), {-0.16f, 0.61f, 0}));
    AddBevelBox(b, {0, 0, 0}, {0.045f, 0.1f, 0.055f}, 0.015f);
    b.SetPlacement(Place(Identity(), {-0.05f, 0.655f, 0}));
    AddRingZ(b, 0.038f, 0.01f, 12, 5);
    b.SetPlacement(Identity());
    b.AddBox({-0.075f, 0.665f, 0}, {0.008f, 0.03f, 0.008f});  // the trigger

    // The barrel: a six-sided ice crystal ringed by three silver coils, a pointed crystal at the muzzle
    // and a glowing vial of cold on top of the body.
    b.UseMaterial(ice);
    AddAlongX(b, 0.12f, 0.34f, 0.05f, 0.045f, 6);
    AddGem(b, {0.355f, 0.76f, 0}, 0.055f, 0.045f, {0, 0, 1}, -D3DX_PI / 2);
    b.UseMaterial(trim);
    for (float x : {0.17f, 0.23f, 0.29f}) {
        b.SetPlacement(Place(RotationY(D3DX_PI / 2), {x, 0.76f, 0}));
        AddRingZ(b, 0.058f, 0.011f, 12, 5);
    }
    b.SetPlacement(Identity());
    b.UseMaterial(core);
    AddAlongX(b, -0.2f, 0.02f, 0.03f, 0.03f, 8, 0.86f);
    b.UseMaterial(trim);
    for (float x : {-0.21f, 0.01f}) AddAlongX(b, x, x + 0.02f, 0.036f, 0.036f, 8, 0.86f);
    b.UseMaterial(ice);
    for (float z : {-1.0f, 1.0f}) AddGem(b, {-0.27f, 0.78f, 0.075f * z}, 0.02f, 0.05f, {1, 0, 0}, 1.1f * z);
    return SingleModel("ColdGun", b);
}

}  // namespace

bool WriteChestItem(const std::string& root) {
    const std::string folder = root + "/data/xfile/Object/";
    return WriteX(folder + "Chest.x", Chest(false)) && WriteX(folder + "ChestOpen.x", Chest(true)) &&
           WriteX(folder + "ColdGun.x", ColdGun());
}

}  // namespace xmodels
