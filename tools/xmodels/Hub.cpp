// The title hub: a 24 x 24 courtyard walled in on every side. Its north wall opens into three
// alcoves, one for each way on (the first stage, the second stage, the closing picture): each
// doorway, 2 wide and 3 high under a lintel, is closed by a sliding door until progress opens it. The
// collision mesh is the same walls and floor as plain boxes.
#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"

namespace xmodels {
namespace {

constexpr float kHalf = 12.0f;       // the courtyard spans -12 .. 12 in x and z
constexpr float kWallHeight = 5.2f;  // a jump (3.15) from a crate (1 up) stays a unit below it
constexpr float kWallThick = 0.5f;   // doors (0.3 thick) slide into it
constexpr float kAlcoveDepth = 6.0f;
constexpr float kAlcoveHalf = 1.75f;
constexpr float kDoorHalf = 1.0f;
constexpr float kDoorHeight = 3.0f;
const float kAlcoves[] = {-6.0f, 0.0f, 6.0f};

// The walls, floor and alcoves as boxes, shared by the picture and the collision mesh.
struct HubParts {
    std::vector<std::pair<D3DXVECTOR3, D3DXVECTOR3>> walls;  // centre, half size
    std::vector<std::pair<D3DXVECTOR3, D3DXVECTOR3>> lintels;
};

void Box(std::vector<std::pair<D3DXVECTOR3, D3DXVECTOR3>>& out, float x0, float x1, float y0, float y1, float z0,
         float z1) {
    out.push_back({{(x0 + x1) / 2, (y0 + y1) / 2, (z0 + z1) / 2}, {(x1 - x0) / 2, (y1 - y0) / 2, (z1 - z0) / 2}});
}

HubParts Parts() {
    HubParts p;
    const float t = kWallThick;
    Box(p.walls, -kHalf - t, kHalf + t, 0, kWallHeight, -kHalf - t, -kHalf);  // south
    Box(p.walls, -kHalf - t, -kHalf, 0, kWallHeight, -kHalf, kHalf);          // west
    Box(p.walls, kHalf, kHalf + t, 0, kWallHeight, -kHalf, kHalf);            // east
    // North: wall pieces between the doorways, lintels over them.
    float x = -kHalf - t;
    for (float c : kAlcoves) {
        Box(p.walls, x, c - kDoorHalf, 0, kWallHeight, kHalf, kHalf + t);
        Box(p.lintels, c - kDoorHalf, c + kDoorHalf, kDoorHeight, kWallHeight, kHalf, kHalf + t);
        x = c + kDoorHalf;
    }
    Box(p.walls, x, kHalf + t, 0, kWallHeight, kHalf, kHalf + t);
    // Each alcove: two side walls and a back wall.
    const float z0 = kHalf + t, z1 = kHalf + t + kAlcoveDepth;
    for (float c : kAlcoves) {
        Box(p.walls, c - kAlcoveHalf - t, c - kAlcoveHalf, 0, kWallHeight, z0, z1);
        Box(p.walls, c + kAlcoveHalf, c + kAlcoveHalf + t, 0, kWallHeight, z0, z1);
        Box(p.walls, c - kAlcoveHalf - t, c + kAlcoveHalf + t, 0, kWallHeight, z1, z1 + t);
    }
    return p;
}

// One flat quad facing up, wound clockwise seen from above.
void Floor(MeshBuilder& b, float x0, float x1, float z0, float z1, float tile) {
    auto v = [&](float x, float z) { return BuildVertex{{x, 0, z}, {0, 1, 0}, {x / tile, -z / tile}}; };
    b.AddQuad(v(x0, z0), v(x0, z1), v(x1, z1), v(x1, z0));
}

void AddFloors(MeshBuilder& b, float tile) {
    Floor(b, -kHalf, kHalf, -kHalf, kHalf, tile);
    for (float c : kAlcoves) {
        Floor(b, c - kDoorHalf, c + kDoorHalf, kHalf, kHalf + kWallThick, tile);
        Floor(b, c - kAlcoveHalf, c + kAlcoveHalf, kHalf + kWallThick, kHalf + kWallThick + kAlcoveDepth, tile);
    }
}

XModel Hub() {
    MeshBuilder b("Hub");
    XMaterial stone = Colour(1, 1, 1, 1, 12, 0.2f);
    stone.texture = "stone_floor.png";
    const uint32_t floor = b.AddMaterial(stone);
    const uint32_t wall = b.AddMaterial(Colour(0.66f, 0.74f, 0.86f, 1, 8, 0.1f));
    const uint32_t trim = b.AddMaterial(Colour(0.42f, 0.50f, 0.66f, 1, 8, 0.1f));
    const uint32_t frost = b.AddMaterial(Colour(0.90f, 0.97f, 1.0f, 1, 40, 0.6f, {0.15f, 0.22f, 0.28f}));
    b.UseMaterial(floor);
    AddFloors(b, 2.0f);
    const HubParts parts = Parts();
    b.UseMaterial(wall);
    for (const auto& [c, h] : parts.walls) b.AddBox(c, h);
    b.UseMaterial(trim);
    // A darker plinth along the foot of every wall and a frosted cap along its top.
    for (const auto& [c, h] : parts.walls) {
        b.AddBox({c.x, 0.15f, c.z}, {h.x + 0.05f, 0.15f, h.z + 0.05f});
    }
    for (const auto& [c, h] : parts.lintels) b.AddBox(c, h);
    b.UseMaterial(frost);
    for (const auto& [c, h] : parts.walls) b.AddBox({c.x, kWallHeight + 0.08f, c.z}, {h.x + 0.08f, 0.08f, h.z + 0.08f});
    for (const auto& [c, h] : parts.lintels) b.AddBox({c.x, kWallHeight + 0.08f, c.z}, {h.x + 0.08f, 0.08f, h.z + 0.08f});
    return {{{"Hub", Identity(), {b.Build()}, {}}}, 0, {}};
}

XModel HubCollision() {
    MeshBuilder b("HubCol");
    b.AddMaterial(Colour(0.5f, 0.5f, 0.5f));
    AddFloors(b, 2.0f);
    const HubParts parts = Parts();
    for (const auto& [c, h] : parts.walls) b.AddBox(c, h);
    for (const auto& [c, h] : parts.lintels) b.AddBox(c, h);
    return {{{"HubCol", Identity(), {b.Build()}, {}}}, 0, {}};
}

}  // namespace

XModel BuildHub() { return Hub(); }

// Between the courtyard and the alcoves, and through the middles of the side doorways.
FloorPlanCuts HubCuts() { return {{kAlcoves[0], kAlcoves[2]}, {kHalf + kWallThick}}; }

bool WriteHub(const std::string& root) {
    const std::string folder = root + "/data/xfile/Map/";
    return WriteMapPieces(folder + "Hub", Hub(), HubCuts()) && WriteX(folder + "HubCol.x", HubCollision());
}

}  // namespace xmodels
