// The first stage's map: "Stage1_K.x" (in pieces), drawn in colour with textured stone, snow-capped walls, warm
// door frames and lanterns that lead forward, a painted track from the wood box to its switch, an
// iron grating over the trench's switch and a frosty run-up before the pit; and "Stage1_Col.x", the
// same blocks as plain boxes for the ray queries (a few hundred faces).
#include <cmath>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Stage1Layout.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

using namespace stage1;

constexpr float kDecal = 0.02f;  // painted strips float this far above the floor

D3DXVECTOR3 Middle(const Block& b) { return (b.lo + b.hi) * 0.5f; }
D3DXVECTOR3 Half(const Block& b) { return (b.hi - b.lo) * 0.5f; }

struct Palette {
    uint32_t wall, snow, floor[13], frame, lantern, track, rim, iron, runway, edge, bark, pine, crystal, banner[3];
};

XMaterial Textured(XMaterial m, const char* texture) {
    m.texture = texture;
    return m;
}

Palette MakePalette(MeshBuilder& b) {
    Palette p{};
    p.wall = b.AddMaterial(Textured(Colour(0.74f, 0.80f, 0.92f, 1, 8, 0.1f), "stage1_rock.png"));
    p.snow = b.AddMaterial(Colour(0.96f, 0.98f, 1.0f, 1, 20, 0.3f));
    const float tints[13][3] = {{0.74f, 0.80f, 0.92f}, {0.74f, 0.80f, 0.92f}, {0.90f, 0.90f, 0.80f},
                                {0.82f, 0.89f, 0.98f}, {0.96f, 0.88f, 0.78f}, {0.80f, 0.92f, 0.94f},
                                {0.48f, 0.54f, 0.66f}, {0.35f, 0.37f, 0.42f}, {0.90f, 0.95f, 1.0f},
                                {0.34f, 0.40f, 0.56f}, {0.78f, 0.56f, 0.34f}, {1.0f, 0.90f, 0.62f},
                                {0.86f, 0.56f, 0.26f}};
    for (int i = 0; i < 13; ++i)
        p.floor[i] = b.AddMaterial(Textured(Colour(tints[i][0], tints[i][1], tints[i][2], 1, 12, 0.15f),
                                            i == 10 || i == 12 ? "stage1_wood.png" : "stage1_floor.png"));
    p.frame = b.AddMaterial(Textured(Colour(0.86f, 0.56f, 0.26f, 1, 10, 0.1f), "stage1_wood.png"));
    p.lantern = b.AddMaterial(Colour(1.0f, 0.86f, 0.45f, 1, 8, 0.2f, {0.9f, 0.7f, 0.3f}));
    p.track = b.AddMaterial(Colour(0.42f, 0.30f, 0.20f, 1, 6, 0.05f));
    p.rim = b.AddMaterial(Colour(0.98f, 0.72f, 0.22f, 1, 10, 0.2f));
    p.iron = b.AddMaterial(Colour(0.24f, 0.26f, 0.32f, 1, 40, 0.6f));
    p.runway = b.AddMaterial(Colour(0.62f, 0.88f, 1.0f, 1, 60, 0.8f, {0.1f, 0.2f, 0.3f}));
    p.edge = b.AddMaterial(Colour(0.96f, 0.98f, 1.0f, 1, 30, 0.4f, {0.2f, 0.2f, 0.2f}));
    p.bark = b.AddMaterial(Colour(0.45f, 0.30f, 0.18f, 1, 6, 0.05f));
    p.pine = b.AddMaterial(Colour(0.20f, 0.52f, 0.40f, 1, 8, 0.1f));
    p.crystal = b.AddMaterial(Colour(0.60f, 0.90f, 1.0f, 1, 80, 1.0f, {0.25f, 0.45f, 0.55f}));
    p.banner[0] = b.AddMaterial(Colour(0.25f, 0.45f, 0.85f, 1, 6, 0.05f));
    p.banner[1] = b.AddMaterial(Colour(0.85f, 0.30f, 0.35f, 1, 6, 0.05f));
    p.banner[2] = b.AddMaterial(Colour(0.95f, 0.80f, 0.30f, 1, 6, 0.05f));
    return p;
}

void Slab(MeshBuilder& b, float x0, float y0, float z0, float x1, float y1, float z1, float bevel = 0.02f) {
    AddBevelBox(b, {(x0 + x1) / 2, (y0 + y1) / 2, (z0 + z1) / 2}, {(x1 - x0) / 2, (y1 - y0) / 2, (z1 - z0) / 2},
                bevel, 0.5f);
}

// Posts and a beam round a doorway on both faces of its wall, with a lantern on each post facing the
// way in.
void DoorFrame(MeshBuilder& b, const Palette& p, float x0, float x1, float wallZ, float floorY) {
    for (float face : {wallZ - 0.2f, wallZ + 1.2f}) {
        b.UseMaterial(p.frame);
        for (float x : {x0 - 0.2f, x1 + 0.2f})
            Slab(b, x - 0.2f, floorY, face - 0.2f, x + 0.2f, kDoorTop + 0.4f, face + 0.2f, 0.05f);
        Slab(b, x0 - 0.45f, kDoorTop, face - 0.22f, x1 + 0.45f, kDoorTop + 0.4f, face + 0.22f, 0.05f);
        b.UseMaterial(p.lantern);
        for (float x : {x0 - 0.2f, x1 + 0.2f}) AddGem(b, {x, kDoorTop + 0.75f, face}, 0.2f, 0.3f);
    }
}

void Pine(MeshBuilder& b, const Palette& p, float x, float y, float z, float size) {
    b.UseMaterial(p.bark);
    b.AddCylinder({x, y, z}, 0.8f * size, {0.22f * size, 0.22f * size}, {0.16f * size, 0.16f * size}, 8);
    for (int tier = 0; tier < 3; ++tier) {
        const float r = (1.3f - 0.32f * static_cast<float>(tier)) * size;
        const float base = y + (0.7f + 0.75f * static_cast<float>(tier)) * size;
        b.UseMaterial(p.pine);
        b.AddCylinder({x, base, z}, 1.2f * size, {r, r}, {0.05f, 0.05f}, 10);
        b.UseMaterial(p.snow);
        b.AddCylinder({x, base + 0.75f * size, z}, 0.45f * size, {r * 0.4f, r * 0.4f}, {0.04f, 0.04f}, 10);
    }
}

// A cloth hanging on a side wall's inner face, with a bar on top and a white emblem.
void Banner(MeshBuilder& b, const Palette& p, float side, float z, int colour) {
    const float x = side * (kHalfWidth - 0.04f);
    b.UseMaterial(p.banner[colour]);
    Slab(b, x - 0.04f, 1.2f, z - 0.55f, x + 0.04f, 3.6f, z + 0.55f, 0.01f);
    b.UseMaterial(p.frame);
    Slab(b, x - 0.1f, 3.6f, z - 0.7f, x + 0.1f, 3.75f, z + 0.7f, 0.03f);
    b.UseMaterial(p.snow);
    AddGem(b, {x - side * 0.06f, 2.5f, z}, 0.28f, 0.45f, {0, 0, 1}, 0.0f);
}

void Decorate(MeshBuilder& b, const Palette& p) {
    // Snow on every wall top.
    for (const Block& block : Blocks()) {
        if (block.surface != Surface::Wall && block.surface != Surface::Lintel) continue;
        b.UseMaterial(p.snow);
        Slab(b, block.lo.x - 0.08f, kWallTop, block.lo.z - 0.08f, block.hi.x + 0.08f, kWallTop + 0.22f,
             block.hi.z + 0.08f, 0.08f);
    }
    DoorFrame(b, p, kDoorX - 1, kDoorX + 1, kWall1, 0);
    DoorFrame(b, p, -kArchHalf, kArchHalf, kWall2, 0);
    DoorFrame(b, p, kDoorX - 1, kDoorX + 1, kWall3, 0);
    // The yard: a warm path to the ledge, gold on the ledge's lip, pines in the corners.
    b.UseMaterial(p.floor[11]);
    Slab(b, -0.9f, kYardFloor, kBackWall + 2, 0.9f, kYardFloor + kDecal, kStepZ - 0.1f);
    b.UseMaterial(p.rim);
    Slab(b, -kHalfWidth, -0.06f, kStepZ, kHalfWidth, kDecal, kStepZ + 0.25f);
    Pine(b, p, -4.6f, kYardFloor, -5.6f, 1.1f);
    Pine(b, p, 4.7f, kYardFloor, 2.8f, 1.0f);
    // The hall: the box's track to its switch, and a path on to door 1.
    b.UseMaterial(p.track);
    for (float x : {kSwitch1X - 0.55f, kSwitch1X + 0.45f})
        Slab(b, x, 0, kBox1Z - 1.0f, x + 0.1f, kDecal, kSwitch1Z + 0.6f);
    b.UseMaterial(p.floor[11]);
    Slab(b, kDoorX - 0.8f, 0, kStepZ + 3, kDoorX + 0.8f, kDecal, kWall1 - 0.3f);
    // The treasury: crystals at the dais corners.
    b.UseMaterial(p.crystal);
    for (float dx : {-1.5f, 1.5f})
        for (float dz : {-1.5f, 1.5f}) AddGem(b, {kDaisX + dx, kDaisHeight + 0.35f, kDaisZ + dz}, 0.15f, 0.35f);
    // The trench: a gold rim round the lane and iron bars over its grating.
    b.UseMaterial(p.rim);
    Slab(b, kTrenchX0 - 0.2f, 0, kTrenchZ0 - 0.2f, kTrenchX1 + 0.2f, kDecal, kTrenchZ0);
    for (float x : {kTrenchX0 - 0.2f, kTrenchX1}) Slab(b, x, 0, kTrenchZ0 - 0.2f, x + 0.2f, kDecal, kTrenchZ1 + 0.2f);
    b.UseMaterial(p.iron);
    for (float z = kGrateZ + 0.1f; z < kTrenchZ1; z += 0.45f)
        Slab(b, kTrenchX0, -kGrateThickness, z, kTrenchX1, 0, z + 0.14f, 0.02f);
    for (float x : {kTrenchX0, -4.05f, kTrenchX1 - 0.1f})
        Slab(b, x, -kGrateThickness - 0.05f, kGrateZ, x + 0.1f, -kGrateThickness, kTrenchZ1, 0.02f);
    // The run-up before the pit: frosty tiles and a white lip.
    b.UseMaterial(p.runway);
    Slab(b, -1.6f, 0, kPitZ0 - 5, 1.6f, kDecal, kPitZ0 - 0.25f);
    b.UseMaterial(p.edge);
    Slab(b, -kHalfWidth, -0.06f, kPitZ0 - 0.25f, kHalfWidth, kDecal, kPitZ0);
    Slab(b, -kHalfWidth, -0.06f, kPitZ1, kHalfWidth, kDecal, kPitZ1 + 0.25f);
    // The goal's court: pines and crystals.
    Pine(b, p, -4.5f, 0, kEndWall - 1.6f, 1.2f);
    Pine(b, p, 4.6f, 0, kEndWall - 2.2f, 1.0f);
    b.UseMaterial(p.crystal);
    for (int i = 0; i < 6; ++i) {
        const float a = 0.5f + static_cast<float>(i) * 0.42f;
        AddGem(b, {3.2f * std::cos(a) * (i % 2 ? 1.0f : -1.0f), 0.4f, kGoalZ + 1.2f - 0.3f * static_cast<float>(i)},
               0.18f, 0.45f, {0, 0, 1}, 0.3f);
    }
    // Colour on the side walls.
    const float banners[][3] = {{-1, 1, 0}, {1, -3, 0}, {-1, 10, 1}, {1, 12, 2}, {-1, 24, 2}, {1, 30, 1},
                                {1, 45, 0}, {-1, 60, 1}, {1, 62, 2}, {-1, 76, 0}, {1, 75, 1}};
    for (const auto& banner : banners) Banner(b, p, banner[0], banner[1], static_cast<int>(banner[2]));
}

XModel Stage1() {
    MeshBuilder b("Stage1");
    const Palette p = MakePalette(b);
    for (const Block& block : Blocks()) {
        if (block.surface == Surface::Grating) continue;  // drawn as bars
        b.UseMaterial(p.floor[static_cast<int>(block.surface)]);
        if (block.surface == Surface::Wall || block.surface == Surface::Lintel) b.UseMaterial(p.wall);
        const bool floor = block.surface != Surface::Wall && block.surface != Surface::Lintel;
        AddBevelBox(b, Middle(block), Half(block), floor ? 0.04f : 0.08f, floor ? 0.25f : 0.5f);
    }
    Decorate(b, p);
    return SingleModel("Stage1", b);
}

XModel Stage1Collision() {
    MeshBuilder b("Stage1_Col");
    b.AddMaterial(Colour(1, 1, 1));
    for (const Block& block : Blocks()) b.AddBox(Middle(block), Half(block));
    return SingleModel("Stage1_Col", b);
}

}  // namespace

XModel BuildStage1() { return Stage1(); }
XModel BuildStage1Collision() { return Stage1Collision(); }

// Across the rooms at their walls and halfway through each, so that the rooms behind the camera drop
// out of the view.
FloorPlanCuts Stage1Cuts() {
    using namespace stage1;
    return {{}, {-1.5f, kStepZ, 12.0f, kWall1 + 0.5f, 27.0f, kWall2 + 0.5f, 45.0f, kWall3 + 0.5f, kPitZ0, kPitZ1}};
}

bool WriteStage1(const std::string& root) {
    const std::string folder = root + "/data/xfile/Map/";
    return WriteMapPieces(folder + "Stage1", Stage1(), Stage1Cuts()) && WriteX(folder + "Stage1_Col.x", Stage1Collision()) &&
           WriteStoneTexture(folder + "stage1_floor.png", 256) && WriteRockTexture(folder + "stage1_rock.png", 128) &&
           WriteWoodTexture(folder + "stage1_wood.png", 128, 11);
}

}  // namespace xmodels
