// The ice overlays drawn over frozen boxes and statues, the cold gun's charge crystals and the ice
// patch that shots lay on floors and walls. Sizes in stage units: a box is 1 x 1 x 1 standing on its
// origin; a statue about 1 wide and 2 tall.
#include <cmath>

#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

XMaterial Ice(float alpha, const std::string& texture = "") {
    XMaterial m = Colour(0.75f, 0.92f, 1.0f, alpha, 50, 0.9f, {0.10f, 0.18f, 0.25f});
    m.texture = texture;
    return m;
}

// A downward cone of ice hanging from `top`.
void AddIcicle(MeshBuilder& b, const D3DXVECTOR3& top, float length, float radius) {
    b.AddCylinder(top - D3DXVECTOR3(0, length, 0), length, {0.002f, 0.002f}, {radius, radius}, 6);
}

XModel Single(XMesh mesh) {
    XModel model;
    model.frames.push_back({"Model", Identity(), {std::move(mesh)}, {}});
    return model;
}

XModel IceboxLevel(int level) {
    MeshBuilder b("IceShell");
    static const char* textures[] = {"icebox_frost.png", "icebox_ice.png", "icebox_ice.png"};
    b.AddMaterial(Ice(0.45f + 0.15f * level, textures[level]));
    const float half = 0.52f + 0.04f * level;
    b.AddBox({0, 0.5f, 0}, {half, half, half});
    if (level >= 1)  // lumps of ice on the upper corners
        for (int c = 0; c < 4; ++c) {
            const float x = (c & 1 ? 1 : -1) * half * 0.8f, z = (c & 2 ? 1 : -1) * half * 0.8f;
            b.AddEllipsoid({x, 0.5f + half * 0.85f, z}, {0.22f, 0.12f, 0.22f}, 5, 8, 0.08f);
        }
    if (level >= 2) {  // icicles along the top edges and a cap of ice
        b.AddEllipsoid({0, 0.5f + half, 0}, {half * 0.9f, 0.14f, half * 0.9f}, 5, 12, 0.06f);
        for (int i = 0; i < 5; ++i) {
            const float s = -0.4f + 0.2f * i;
            AddIcicle(b, {s * half * 2, 0.5f + half * 0.4f, -half - 0.01f}, 0.18f + 0.05f * (i % 2), 0.045f);
            AddIcicle(b, {half + 0.01f, 0.5f + half * 0.4f, s * half * 2}, 0.16f + 0.06f * (i % 3 == 0), 0.04f);
        }
    }
    return Single(b.Build());
}

// The charge gathering at the gun's muzzle, about 0.4 across: a cluster of gems, or (ring) six gems
// round a circle in the x/y plane. Drawn additively, so the colour is a pale, glowing cyan.
XModel Crystal(bool ring) {
    MeshBuilder b("Charge");
    b.AddMaterial(Colour(0.6f, 0.95f, 1.0f, 0.7f, 60, 1.0f, {0.35f, 0.6f, 0.75f}));
    if (!ring) {
        b.AddEllipsoid({0, 0, 0}, {0.1f, 0.2f, 0.1f}, 2, 4);
        b.AddEllipsoid({0.08f, 0.02f, 0}, {0.05f, 0.12f, 0.05f}, 2, 4);
        b.AddEllipsoid({-0.07f, -0.03f, 0.03f}, {0.05f, 0.1f, 0.05f}, 2, 4);
    } else {
        for (int i = 0; i < 6; ++i) {
            const float a = 2 * D3DX_PI * i / 6;
            D3DXMATRIX tilt, at;
            D3DXMatrixRotationZ(&tilt, a);
            D3DXMatrixTranslation(&at, 0.17f * std::cos(a), 0.17f * std::sin(a), 0);
            b.SetPlacement(tilt * at);
            b.AddEllipsoid({0, 0, 0}, {0.028f, 0.075f, 0.028f}, 2, 4);
        }
    }
    return Single(b.Build());
}

// A thin irregular sheet lying on the surface (normal +y), about 4 units across.
XModel IcePatch() {
    MeshBuilder b("IcePatch");
    b.AddMaterial(Ice(0.8f, "ice_patch.png"));
    const int n = 32;
    const BuildVertex centre{{0, 0.02f, 0}, {0, 1, 0}, {0.5f, 0.5f}};
    auto rim = [&](int i) {
        const float a = 2 * D3DX_PI * (i % n) / n;
        const float r = 2.0f * (1 + 0.12f * std::sin(3 * a) + 0.07f * std::sin(7 * a + 1));
        const float x = r * std::cos(a), z = r * std::sin(a);
        return BuildVertex{{x, 0, z}, {0, 1, 0}, {0.5f + x / 4.8f, 0.5f - z / 4.8f}};
    };
    for (int i = 0; i < n; ++i) b.AddTriangle(centre, rim(i), rim(i + 1));
    return Single(b.Build());
}

XModel StatueIce(int level) {
    MeshBuilder b(level ? "StatueIceThick" : "StatueIce");
    b.AddMaterial(Ice(0.5f + 0.2f * level, "statue_ice.png"));
    const float grow = 1.0f + 0.08f * level;
    b.AddEllipsoid({0, 1.0f, 0}, {0.6f * grow, 1.05f * grow, 0.6f * grow}, 10, 16, 0.05f + 0.03f * level);
    b.AddEllipsoid({0.55f, 1.45f, 0}, {0.35f * grow, 0.25f, 0.25f}, 5, 8, 0.1f);  // over the wings
    b.AddEllipsoid({-0.55f, 1.45f, 0}, {0.35f * grow, 0.25f, 0.25f}, 5, 8, 0.1f);
    if (level)
        for (int i = 0; i < 6; ++i) {
            const float a = 2 * D3DX_PI * i / 6 + 0.3f;
            AddIcicle(b, {0.55f * std::cos(a), 0.9f, 0.55f * std::sin(a)}, 0.25f, 0.06f);
        }
    return Single(b.Build());
}

// Over the wheel (Statues.cpp): its centre at the origin, the axle along z, radius 0.5.
XModel WheelIce() {
    MeshBuilder b("WheelIce");
    b.AddMaterial(Ice(0.65f, "statue_ice.png"));
    AddRingZ(b, 0.47f, 0.13f, 24);
    b.SetPlacement(Place(RotationX(D3DX_PI / 2), {0, 0, -0.15f}));
    b.AddCylinder({0, 0, 0}, 0.3f, {0.15f, 0.15f}, {0.15f, 0.15f}, 8);  // frozen hub
    b.SetPlacement(Identity());
    return Single(b.Build());
}

}  // namespace

XMaterial Colour(float r, float g, float b, float a, float power, float specular, D3DXVECTOR3 emissive) {
    XMaterial m;
    m.diffuse = D3DXCOLOR(r, g, b, a);
    m.power = power;
    m.specular = D3DXVECTOR3(specular, specular, specular);
    m.emissive = emissive;
    return m;
}

bool WriteIceModels(const std::string& root) {
    const std::string object = root + "/data/xfile/Object/", bullet = root + "/data/xfile/Bullet/",
                      statue = root + "/data/xfile/Statue/";
    bool ok = WriteX(object + "Icebox_level1.x", IceboxLevel(0)) && WriteX(object + "Icebox_level2.x", IceboxLevel(1)) &&
              WriteX(object + "Icebox_levelMax.x", IceboxLevel(2));
    ok = ok && WriteIceTexture(object + "icebox_frost.png", 128, 1) && WriteIceTexture(object + "icebox_ice.png", 128, 2);
    ok = ok && WriteX(bullet + "frozen0.x", Crystal(false)) && WriteX(bullet + "frozen1.x", Crystal(true));
    ok = ok && WriteX(bullet + "ice.x", IcePatch()) && WriteIceTexture(bullet + "ice_patch.png", 128, 3);
    ok = ok && WriteX(statue + "Statue_Eagle_Ice.x", StatueIce(0)) && WriteX(statue + "Statue_Eagle_Ice2.x", StatueIce(1)) &&
         WriteX(statue + "Wheel_Ice.x", WheelIce()) && WriteIceTexture(statue + "statue_ice.png", 128, 4);
    return ok;
}

}  // namespace xmodels
