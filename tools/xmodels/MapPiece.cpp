// A first stage piece for test scenes: a 24 x 24 stone-tiled courtyard with walls, a raised platform
// reached by a ramp, and four pillars. The floor is finely divided so that the piece is a fair load
// for the ray queries.
#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

constexpr float kHalf = 12.0f;
constexpr int kCells = 48;

void AddFloor(MeshBuilder& b) {
    const float step = 2 * kHalf / kCells;
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j < kCells; ++j) {
            const float x0 = -kHalf + i * step, z0 = -kHalf + j * step;
            auto v = [&](float x, float z) {
                return BuildVertex{{x, 0, z}, {0, 1, 0}, {(x + kHalf) / 4, (kHalf - z) / 4}};
            };
            b.AddQuad(v(x0, z0), v(x0, z0 + step), v(x0 + step, z0 + step), v(x0 + step, z0));
        }
}

XModel TestRoom() {
    MeshBuilder b("TestRoom");
    XMaterial floor = Colour(1, 1, 1, 1, 12, 0.2f);
    floor.texture = "stone_floor.png";
    const uint32_t floorMaterial = b.AddMaterial(floor);
    const uint32_t wall = b.AddMaterial(Colour(0.62f, 0.68f, 0.78f, 1, 8, 0.1f));
    const uint32_t platform = b.AddMaterial(Colour(0.72f, 0.62f, 0.50f, 1, 8, 0.1f));
    const uint32_t pillar = b.AddMaterial(Colour(0.86f, 0.92f, 0.98f, 1, 30, 0.5f));
    b.UseMaterial(floorMaterial);
    AddFloor(b);
    b.UseMaterial(wall);
    b.AddBox({0, 1.5f, kHalf + 0.25f}, {kHalf + 0.5f, 1.5f, 0.25f});
    b.AddBox({0, 1.5f, -kHalf - 0.25f}, {kHalf + 0.5f, 1.5f, 0.25f});
    b.AddBox({kHalf + 0.25f, 1.5f, 0}, {0.25f, 1.5f, kHalf});
    b.AddBox({-kHalf - 0.25f, 1.5f, 0}, {0.25f, 1.5f, kHalf});
    b.UseMaterial(platform);
    b.AddBox({7, 0.5f, 7}, {3, 0.5f, 3});
    D3DXMATRIX tilt, at;
    D3DXMatrixRotationX(&tilt, 0.2013579f);  // rises 1 unit over 5 toward +z
    D3DXMatrixTranslation(&at, 7, 0.5f, 1.55f);
    b.SetPlacement(tilt * at);
    b.AddBox({0, -0.1f, 0}, {1.5f, 0.1f, 2.55f});
    b.SetPlacement(Identity());
    b.UseMaterial(pillar);
    for (int c = 0; c < 4; ++c)
        b.AddCylinder({(c & 1 ? 8.0f : -8.0f), 0, (c & 2 ? -8.0f : -2.0f)}, 3, {0.5f, 0.5f}, {0.45f, 0.45f}, 16);
    return {{{"TestRoom", Identity(), {b.Build()}, {}}}, 0, {}};
}

}  // namespace

bool WriteMapPiece(const std::string& root) {
    const std::string folder = root + "/data/xfile/Map/";
    return WriteX(folder + "TestRoom.x", TestRoom()) && WriteStoneTexture(folder + "stone_floor.png", 256);
}

}  // namespace xmodels
