// The stone statues.
//  - FlameStatue: a dragon's head on a pedestal, 1 wide and about 2 tall, facing +z. Its jaws part
//    round (0, 1.5, 0.5) with embers glowing inside; its eyes glow too.
//  - Statue_Eagle: a stone eagle with half-raised wings on a perch, the perch carried high on an iron
//    fork whose two cheeks (z = +-0.17) hold the wheel's axle at (0, 0.5, 0); the perch's top is at
//    2.36 and the eagle's head at about 3.2, so that the statue stands too high to jump onto or over.
//  - Wheel: a wooden spoked wheel with an iron tyre, radius 0.5, the axle along z and the centre at the
//    origin, so that it turns about z; drawn 0.5 up in the statue's space it meets the fork.
//  - Statue_Eagle_Col: a rough block of ice round the whole statue (x and z within +-0.65, y from 0 to
//    3.8), its collision and its look when frozen in.
#include <cmath>
#include <cstdint>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

constexpr float kForkTop = 1.0f;     // the eagle is built on a perch this high ...
constexpr float kPerchLift = 1.2f;   // ... and raised this much, the fork's cheeks stretched with it
constexpr float kBlockHeight = 3.8f; // the ice block, above a jump from the floor (3.15) by a good margin

XMaterial Stone(float r, float g, float b) {
    XMaterial m = Colour(r, g, b, 1, 6, 0.08f);
    m.texture = "statue_stone.png";
    return m;
}

// A cone from `base` along the direction given by the rotation, `length` long.
void AddHorn(MeshBuilder& b, const D3DXMATRIX& turn, const D3DXVECTOR3& base, float length, float radius) {
    b.SetPlacement(Place(turn, base));
    b.AddCylinder({0, 0, 0}, length, {radius, radius}, {0.006f, 0.006f}, 8);
    b.SetPlacement(Identity());
}

XModel FlameStatue() {
    MeshBuilder b("FlameStatue");
    const uint32_t plinth = b.AddMaterial(Stone(0.50f, 0.54f, 0.62f));
    const uint32_t stone = b.AddMaterial(Stone(0.68f, 0.66f, 0.64f));
    const uint32_t dark = b.AddMaterial(Stone(0.40f, 0.38f, 0.40f));
    const uint32_t tooth = b.AddMaterial(Colour(0.93f, 0.90f, 0.84f, 1, 20, 0.3f));
    const uint32_t ember = b.AddMaterial(Colour(1.0f, 0.55f, 0.15f, 1, 30, 0.8f, {0.9f, 0.4f, 0.1f}));
    const uint32_t throat = b.AddMaterial(Colour(0.45f, 0.08f, 0.04f, 1, 4, 0.0f));

    // The pedestal: a base, a block with a glowing flame mark on its front, a capital.
    b.UseMaterial(plinth);
    AddBevelBox(b, {0, 0.1f, 0}, {0.5f, 0.1f, 0.5f}, 0.03f);
    AddBevelBox(b, {0, 0.6f, -0.05f}, {0.36f, 0.4f, 0.34f}, 0.05f);
    AddBevelBox(b, {0, 1.04f, -0.05f}, {0.42f, 0.05f, 0.4f}, 0.02f);
    b.UseMaterial(ember);
    AddGem(b, {0, 0.62f, 0.29f}, 0.07f, 0.16f);
    AddGem(b, {-0.08f, 0.56f, 0.29f}, 0.04f, 0.09f, {0, 0, 1}, 0.4f);
    AddGem(b, {0.08f, 0.56f, 0.29f}, 0.04f, 0.09f, {0, 0, 1}, -0.4f);

    // The head: skull, brow, the upper snout over the mouth and the lower jaw under it.
    b.UseMaterial(stone);
    b.AddEllipsoid({0, 1.42f, -0.08f}, {0.26f, 0.34f, 0.26f}, 8, 14);  // neck
    b.AddEllipsoid({0, 1.58f, 0.02f}, {0.3f, 0.28f, 0.3f}, 8, 16);     // skull
    AddBevelBox(b, {0, 1.63f, 0.33f}, {0.17f, 0.09f, 0.2f}, 0.04f);    // upper snout, lip at y 1.54
    AddBevelBox(b, {0, 1.37f, 0.29f}, {0.15f, 0.07f, 0.18f}, 0.035f);  // lower jaw, lip at y 1.44
    b.AddEllipsoid({0, 1.72f, 0.47f}, {0.12f, 0.06f, 0.07f}, 4, 8);   // nose
    b.UseMaterial(dark);
    for (float s : {-1.0f, 1.0f}) {
        b.SetPlacement(Place(RotationZ(-0.35f * s), {s * 0.16f, 1.8f, 0.2f}));
        AddBevelBox(b, {0, 0, 0}, {0.1f, 0.03f, 0.07f}, 0.015f);  // brows, frowning
        b.SetPlacement(Identity());
        b.AddEllipsoid({s * 0.06f, 1.735f, 0.535f}, {0.025f, 0.018f, 0.01f}, 4, 6);  // nostrils
        // Horns sweeping back and out, a frill behind each cheek.
        AddHorn(b, RotationZ(0.3f * -s) * RotationX(-0.95f), {s * 0.17f, 1.76f, -0.06f}, 0.45f, 0.075f);
        AddGem(b, {s * 0.3f, 1.52f, -0.08f}, 0.05f, 0.17f, {0, 0, 1}, -1.1f * s);
        AddGem(b, {s * 0.27f, 1.38f, -0.04f}, 0.04f, 0.12f, {0, 0, 1}, -1.6f * s);
    }
    for (int k = 0; k < 3; ++k) AddGem(b, {0, 1.86f - 0.02f * k, -0.02f - 0.13f * k}, 0.04f, 0.08f, {1, 0, 0}, -0.3f);

    // Inside the mouth a dark throat and embers; teeth above and below; glowing eyes.
    b.UseMaterial(throat);
    b.AddEllipsoid({0, 1.49f, 0.26f}, {0.14f, 0.055f, 0.16f}, 4, 10);
    b.UseMaterial(ember);
    b.AddEllipsoid({0, 1.49f, 0.38f}, {0.08f, 0.035f, 0.07f}, 4, 8);
    for (float s : {-1.0f, 1.0f}) b.AddEllipsoid({s * 0.19f, 1.74f, 0.2f}, {0.045f, 0.035f, 0.035f}, 4, 8);
    b.UseMaterial(tooth);
    for (float x : {-0.12f, -0.05f, 0.05f, 0.12f}) {
        const float fang = std::fabs(x) > 0.1f ? 0.05f : 0.035f;
        AddHorn(b, RotationX(D3DX_PI), {x, 1.545f, 0.44f}, fang, 0.018f);
        AddHorn(b, Identity(), {x * 0.9f, 1.435f, 0.41f}, fang * 0.8f, 0.016f);
    }
    return SingleModel("FlameStatue", b);
}

XModel Eagle() {
    MeshBuilder b("Statue_Eagle");
    const uint32_t stone = b.AddMaterial(Stone(0.66f, 0.70f, 0.77f));
    const uint32_t feather = b.AddMaterial(Stone(0.56f, 0.60f, 0.68f));
    const uint32_t ochre = b.AddMaterial(Stone(0.84f, 0.70f, 0.42f));
    const uint32_t iron = b.AddMaterial(Colour(0.30f, 0.32f, 0.38f, 1, 40, 0.6f));
    const uint32_t eye = b.AddMaterial(Colour(0.45f, 0.92f, 1.0f, 1, 60, 0.9f, {0.3f, 0.6f, 0.7f}));

    // The fork: two cheeks either side of the wheel, round bosses on the axle, the perch on top.
    b.UseMaterial(iron);
    for (float s : {-1.0f, 1.0f}) {
        AddBevelBox(b, {0, 0.79f, s * 0.17f}, {0.1f, 0.29f, 0.03f}, 0.012f);
        b.SetPlacement(Place(RotationX(D3DX_PI / 2), {0, 0.5f, s * 0.17f - 0.045f}));
        b.AddCylinder({0, 0, 0}, 0.09f, {0.085f, 0.085f}, {0.085f, 0.085f}, 12);
        b.SetPlacement(Identity());
    }
    b.UseMaterial(stone);
    AddBevelBox(b, {0, 1.1f, 0}, {0.3f, 0.06f, 0.24f}, 0.02f);

    // Body and chest, tail fanned behind, talons gripping the perch's front.
    b.AddEllipsoid({0, 1.45f, -0.02f}, {0.22f, 0.3f, 0.2f}, 8, 14);
    b.AddEllipsoid({0, 1.42f, 0.07f}, {0.18f, 0.24f, 0.16f}, 8, 14);
    b.UseMaterial(feather);
    b.SetPlacement(Place(RotationX(0.6f), {0, 1.2f, -0.24f}));
    b.AddEllipsoid({0, 0, 0}, {0.16f, 0.04f, 0.16f}, 4, 10);
    b.SetPlacement(Identity());
    b.UseMaterial(ochre);
    for (float s : {-1.0f, 1.0f})
        for (float x : {-0.035f, 0.0f, 0.035f}) AddGem(b, {s * 0.09f + x, 1.16f, 0.22f}, 0.014f, 0.05f, {1, 0, 0}, 2.3f);

    // The wings, half raised: a shoulder, a broad flat blade and long flight feathers at its edge.
    for (float s : {-1.0f, 1.0f}) {
        b.UseMaterial(stone);
        b.AddEllipsoid({s * 0.2f, 1.58f, -0.05f}, {0.1f, 0.12f, 0.1f}, 6, 8);
        b.UseMaterial(feather);
        b.SetPlacement(Place(RotationZ(0.55f * s), {s * 0.33f, 1.52f, -0.08f}));
        b.AddEllipsoid({0, 0, 0}, {0.19f, 0.11f, 0.05f}, 6, 10);
        b.SetPlacement(Identity());
        for (int k = 0; k < 4; ++k) {
            const float t = static_cast<float>(k) / 3;
            AddGem(b, {s * (0.27f + 0.16f * t), 1.41f + 0.1f * t, -0.09f}, 0.035f, 0.12f - 0.02f * t, {0, 0, 1},
                   s * (0.5f + 0.5f * t));
        }
    }

    // Neck, head, hooked beak and glowing eyes, the head turned a little to the left.
    b.UseMaterial(stone);
    b.AddEllipsoid({0, 1.72f, 0.03f}, {0.14f, 0.12f, 0.14f}, 6, 12);
    b.AddEllipsoid({0, 1.84f, 0.07f}, {0.12f, 0.12f, 0.13f}, 8, 12);
    b.AddBox({0, 1.9f, 0.15f}, {0.1f, 0.022f, 0.04f});  // brow
    b.UseMaterial(ochre);
    b.SetPlacement(Place(RotationX(D3DX_PI / 2 + 0.25f), {0, 1.84f, 0.15f}));
    b.AddCylinder({0, 0, 0}, 0.12f, {0.05f, 0.045f}, {0.02f, 0.02f}, 8);
    b.SetPlacement(Identity());
    AddGem(b, {0, 1.79f, 0.27f}, 0.02f, 0.04f, {1, 0, 0}, 0.4f);  // the hook
    b.UseMaterial(eye);
    for (float s : {-1.0f, 1.0f}) b.AddEllipsoid({s * 0.075f, 1.87f, 0.16f}, {0.025f, 0.022f, 0.02f}, 4, 8);
    XModel model = SingleModel("Statue_Eagle", b);
    for (D3DXVECTOR3& p : model.frames[0].meshes[0].positions)
        if (p.y > kForkTop) p.y += kPerchLift;
    return model;
}

XModel Wheel() {
    MeshBuilder b("Wheel");
    XMaterial wood = Colour(0.64f, 0.42f, 0.23f, 1, 6, 0.05f), pale = Colour(0.74f, 0.52f, 0.30f, 1, 6, 0.05f);
    wood.texture = pale.texture = "wheel_wood.png";
    const uint32_t felloe = b.AddMaterial(wood);
    const uint32_t spoke = b.AddMaterial(pale);
    const uint32_t iron = b.AddMaterial(Colour(0.30f, 0.32f, 0.38f, 1, 40, 0.6f));
    const uint32_t studs = b.AddMaterial(Colour(0.55f, 0.58f, 0.64f, 1, 50, 0.8f));

    AddArc(b, 0.44f, 0.5f, 0, 2 * D3DX_PI, 0.09f, 36, iron, iron);
    AddArc(b, 0.34f, 0.44f, 0, 2 * D3DX_PI, 0.075f, 36, felloe, felloe);
    // Six spokes; one is banded in iron so that the turning shows.
    for (int k = 0; k < 6; ++k) {
        b.SetPlacement(RotationZ(D3DX_PI / 3 * k));
        b.UseMaterial(spoke);
        AddPlank(b, {0, 0.24f, 0}, {0.035f, 0.13f, 0.045f}, 1, 0.3f * k);
        b.UseMaterial(studs);
        b.AddEllipsoid({0, 0.39f, 0.075f}, {0.02f, 0.02f, 0.012f}, 3, 6);
        b.AddEllipsoid({0, 0.39f, -0.075f}, {0.02f, 0.02f, 0.012f}, 3, 6);
        if (k == 0) {
            b.UseMaterial(iron);
            AddBevelBox(b, {0, 0.25f, 0}, {0.045f, 0.025f, 0.055f}, 0.01f);
        }
    }
    b.SetPlacement(Place(RotationX(D3DX_PI / 2), {0, 0, -0.1f}));
    b.UseMaterial(felloe);
    b.AddCylinder({0, 0, 0}, 0.2f, {0.12f, 0.12f}, {0.12f, 0.12f}, 12);
    b.UseMaterial(iron);
    b.SetPlacement(Place(RotationX(D3DX_PI / 2), {0, 0, -0.125f}));
    b.AddCylinder({0, 0, 0}, 0.25f, {0.06f, 0.06f}, {0.06f, 0.06f}, 10);
    b.SetPlacement(Identity());
    return SingleModel("Wheel", b);
}

// Deterministic 0..1 from a point, the same for a point shared by two faces.
float PointHash(const D3DXVECTOR3& p) {
    const auto q = [](float v) { return static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 1000))); };
    uint32_t h = q(p.x) * 374761393u + q(p.y) * 668265263u + q(p.z) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

XModel EagleIceBlock() {
    MeshBuilder b("Statue_Eagle_Col");
    XMaterial ice = Colour(0.75f, 0.92f, 1.0f, 0.8f, 50, 0.9f, {0.10f, 0.18f, 0.25f});
    ice.texture = "statue_ice.png";
    b.AddMaterial(ice);
    const D3DXVECTOR3 centre(0, kBlockHeight / 2, 0), half(0.65f, kBlockHeight / 2, 0.65f);
    // Each face a grid of cells whose corners sink inward by up to 0.06 (none on the floor), each
    // triangle flat so the facets catch the light like chipped ice.
    auto corner = [&](D3DXVECTOR3 p) {
        if (p.y <= 1e-4f) return p;
        D3DXVECTOR3 in = centre - p;
        in.y *= 0.5f;
        D3DXVec3Normalize(&in, &in);
        return p + in * (0.06f * PointHash(p));
    };
    constexpr int kCells = 5;
    for (int axis = 0; axis < 3; ++axis)
        for (float s : {-1.0f, 1.0f}) {
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            D3DXVECTOR3 n(0, 0, 0);
            (&n.x)[axis] = s;
            auto point = [&](int i, int j) {
                D3DXVECTOR3 p = centre;
                (&p.x)[axis] += s * (&half.x)[axis];
                (&p.x)[u] += (&half.x)[u] * (2.0f * i / kCells - 1);
                (&p.x)[v] += (&half.x)[v] * (2.0f * j / kCells - 1);
                return p;
            };
            for (int i = 0; i < kCells; ++i)
                for (int j = 0; j < kCells; ++j) {
                    const D3DXVECTOR3 q[4] = {corner(point(i, j)), corner(point(i + 1, j)), corner(point(i + 1, j + 1)),
                                              corner(point(i, j + 1))};
                    for (int t = 0; t < 2; ++t) {
                        const D3DXVECTOR3 &a = q[0], &c = q[t + 1], &d = q[t + 2];
                        D3DXVECTOR3 e1 = c - a, e2 = d - a, flat;
                        D3DXVec3Cross(&flat, &e1, &e2);
                        D3DXVec3Normalize(&flat, &flat);
                        if (D3DXVec3Dot(&flat, &n) < 0) flat = -flat;
                        auto uv = [&](const D3DXVECTOR3& p) { return D3DXVECTOR2((&p.x)[u] * 0.7f, -(&p.x)[v] * 0.7f); };
                        b.AddTriangle({a, flat, uv(a)}, {c, flat, uv(c)}, {d, flat, uv(d)});
                    }
                }
        }
    return SingleModel("Statue_Eagle_Col", b);
}

}  // namespace

bool WriteStatues(const std::string& root) {
    const std::string folder = root + "/data/xfile/Statue/";
    return WriteX(folder + "FlameStatue.x", FlameStatue()) && WriteX(folder + "Statue_Eagle.x", Eagle()) &&
           WriteX(folder + "Wheel.x", Wheel()) && WriteX(folder + "Statue_Eagle_Col.x", EagleIceBlock()) &&
           WriteRockTexture(folder + "statue_stone.png", 128) && WriteWoodTexture(folder + "wheel_wood.png", 128, 6);
}

}  // namespace xmodels
