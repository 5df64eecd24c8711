// The ice launcher: a squat stone plinth carrying a steel turret whose barrel points along +z, with
// glowing ice crystals in coils round the barrel, on its crown and at the plinth's corners. It stands
// on its origin, about one unit tall; the muzzle ends at z = 0.7, y = 0.6, where the shot leaves.
#include <cmath>

#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"

namespace xmodels {
namespace {

constexpr float kBarrelY = 0.6f;

D3DXMATRIX Place(const D3DXMATRIX& rotation, const D3DXVECTOR3& at) {
    D3DXMATRIX move;
    D3DXMatrixTranslation(&move, at.x, at.y, at.z);
    return rotation * move;
}

// A round section of the barrel from z0 to z1 (AddCylinder's +y turned onto +z).
void AddBarrelPiece(MeshBuilder& b, float z0, float z1, float r0, float r1, int segments) {
    D3DXMATRIX turn;
    D3DXMatrixRotationX(&turn, D3DX_PI / 2);
    b.SetPlacement(Place(turn, {0, kBarrelY, z0}));
    b.AddCylinder({0, 0, 0}, z1 - z0, {r0, r0}, {r1, r1}, segments);
    b.SetPlacement(Identity());
}

// A pointed ice crystal (an eight-faced gem) leaning `lean` radians away from upright about `axis`.
void AddCrystal(MeshBuilder& b, const D3DXVECTOR3& at, float width, float height, const D3DXVECTOR3& axis,
                float lean) {
    D3DXMATRIX tilt;
    D3DXMatrixRotationAxis(&tilt, &axis, lean);
    b.SetPlacement(Place(tilt, at));
    b.AddEllipsoid({0, 0, 0}, {width, height, width}, 2, 4);
    b.SetPlacement(Identity());
}

}  // namespace

XModel BuildLauncher() {
    MeshBuilder b("Launcher");
    const uint32_t stone = b.AddMaterial(Colour(0.62f, 0.66f, 0.73f, 1, 4, 0.05f));
    const uint32_t steel = b.AddMaterial(Colour(0.36f, 0.43f, 0.55f, 1, 30, 0.5f));
    const uint32_t trim = b.AddMaterial(Colour(0.80f, 0.83f, 0.88f, 1, 40, 0.6f));
    const uint32_t ice = b.AddMaterial(Colour(0.55f, 0.90f, 1.0f, 1, 60, 0.9f, {0.25f, 0.50f, 0.60f}));
    const uint32_t bore = b.AddMaterial(Colour(0.06f, 0.10f, 0.18f, 1, 4, 0.05f));

    // The plinth: an octagonal block with a narrower step on top.
    b.UseMaterial(stone);
    b.AddCylinder({0, 0, 0}, 0.16f, {0.48f, 0.48f}, {0.44f, 0.44f}, 8);
    b.AddCylinder({0, 0.16f, 0}, 0.06f, {0.38f, 0.38f}, {0.35f, 0.35f}, 8);

    // The steel body, a banded collar and the rounded turret the barrel comes out of.
    b.UseMaterial(steel);
    b.AddCylinder({0, 0.22f, 0}, 0.22f, {0.29f, 0.29f}, {0.23f, 0.23f}, 16);
    b.AddEllipsoid({0, kBarrelY, -0.03f}, {0.24f, 0.2f, 0.27f}, 8, 16);
    AddBarrelPiece(b, 0.12f, 0.60f, 0.08f, 0.07f, 12);
    b.UseMaterial(trim);
    b.AddCylinder({0, 0.40f, 0}, 0.05f, {0.26f, 0.26f}, {0.26f, 0.26f}, 16);
    b.AddBox({0, kBarrelY, -0.31f}, {0.12f, 0.09f, 0.03f});  // the vent at the back
    AddBarrelPiece(b, 0.57f, 0.70f, 0.11f, 0.12f, 12);       // the flared muzzle
    b.UseMaterial(bore);
    AddBarrelPiece(b, 0.695f, 0.705f, 0.075f, 0.075f, 12);  // the dark mouth inside the muzzle

    // The cold: coils of ice round the barrel, a crystal crown and shards at the plinth's corners.
    b.UseMaterial(ice);
    for (float z : {0.30f, 0.39f, 0.48f}) AddBarrelPiece(b, z, z + 0.045f, 0.105f, 0.105f, 12);
    AddCrystal(b, {0, 0.86f, -0.06f}, 0.07f, 0.16f, {1, 0, 0}, -0.15f);
    AddCrystal(b, {0.09f, 0.80f, -0.1f}, 0.045f, 0.1f, {0, 0, 1}, -0.5f);
    AddCrystal(b, {-0.08f, 0.79f, -0.12f}, 0.04f, 0.09f, {0, 0, 1}, 0.55f);
    for (int corner = 0; corner < 4; ++corner) {
        // On the plinth's top, outside the step, leaning outward.
        const float a = D3DX_PI / 4 + D3DX_PI / 2 * corner, x = 0.39f * std::cos(a), z = 0.39f * std::sin(a);
        AddCrystal(b, {x, 0.19f, z}, 0.045f, 0.12f, {z, 0, -x}, 0.4f);
    }
    return {{{"Launcher", Identity(), {b.Build()}, {}}}, 0, {}};
}

}  // namespace xmodels
