// The second stage's hall, three rooms in a row along +z, 12 wide inside:
//  - the entry hall (z -3 .. 11), left through two archways at x = -3.5 and 3.5;
//  - the statue hall (z 11.6 .. 30), where the eagle statue rolls across in front of the archways, a
//    fire-blackened lane crosses the floor at z = 22 and a blue runner shows where a box may slide
//    (x = 2.5) over the switch to the north wall;
//  - the exit court (z 30.6 .. 40) behind a door at x = -3 with a lintel above it.
// The drawn mesh has bevelled, textured walls with plinths, copings and pillars; the collision mesh
// is the plain floor and wall boxes (under two hundred faces), so the ray queries stay cheap. Walls
// are 7.6 high: a jump (3.15 up) from the frozen statue's top (3.8), the highest thing that may be
// stood on, stays short of them; the space above is left open.
#include <algorithm>
#include <vector>

#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

constexpr float kHalfWidth = 6.0f;   // inner faces of the side walls
constexpr float kSouth = -3.0f;      // inner face of the south wall
constexpr float kNorth = 40.0f;      // inner face of the north wall
constexpr float kThick = 0.6f;
constexpr float kHeight = 7.6f;
constexpr float kArchWallZ = 11.0f;  // the archway wall, kThick deep
constexpr float kDoorWallZ = 30.0f;  // the door wall, kThick deep
constexpr float kArchX = 3.5f, kArchHalf = 1.1f;
constexpr float kDoorX = -3.0f, kDoorHalf = 1.0f, kLintelFrom = 3.0f;
constexpr float kLaneZ = 22.0f;  // the fire statues stand at the lane's ends, backs to the side walls
constexpr float kHoodFrom = 2.5f, kHoodDepth = 1.3f, kHoodHalf = 0.6f;

struct Block {
    D3DXVECTOR3 center, half;
};

// Every upright block that stops the player: outer walls, the two cross walls and the lintel.
std::vector<Block> WallBlocks() {
    const float w = kHalfWidth + kThick, midZ = (kSouth + kNorth) / 2, halfZ = (kNorth - kSouth) / 2 + kThick;
    const float h = kHeight / 2;
    std::vector<Block> blocks = {
        {{-kHalfWidth - kThick / 2, h, midZ}, {kThick / 2, h, halfZ}},
        {{kHalfWidth + kThick / 2, h, midZ}, {kThick / 2, h, halfZ}},
        {{0, h, kSouth - kThick / 2}, {w, h, kThick / 2}},
        {{0, h, kNorth + kThick / 2}, {w, h, kThick / 2}},
    };
    // A cross wall from x0 to x1 at z .. z + kThick.
    auto cross = [&](float x0, float x1, float z, float y0, float y1) {
        blocks.push_back({{(x0 + x1) / 2, (y0 + y1) / 2, z + kThick / 2}, {(x1 - x0) / 2, (y1 - y0) / 2, kThick / 2}});
    };
    cross(-kHalfWidth, -kArchX - kArchHalf, kArchWallZ, 0, kHeight);
    cross(-kArchX + kArchHalf, kArchX - kArchHalf, kArchWallZ, 0, kHeight);
    cross(kArchX + kArchHalf, kHalfWidth, kArchWallZ, 0, kHeight);
    cross(-kHalfWidth, kDoorX - kDoorHalf, kDoorWallZ, 0, kHeight);
    cross(kDoorX + kDoorHalf, kHalfWidth, kDoorWallZ, 0, kHeight);
    cross(kDoorX - kDoorHalf, kDoorX + kDoorHalf, kDoorWallZ, kLintelFrom, kHeight);
    // A stone hood over each fire statue against the side walls, too low above the dragon's head for
    // anyone to stand there: the statues are no stepping stones over their own lane.
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = kHalfWidth - kHoodDepth, y = (kHoodFrom + kHeight) / 2;
        blocks.push_back({{side * (x0 + kHalfWidth) / 2, y, kLaneZ}, {kHoodDepth / 2, (kHeight - kHoodFrom) / 2, kHoodHalf}});
    }
    return blocks;
}

// A flat quad facing up over [x0, x1] x [z0, z1] at height y, its texture repeating every `tile` units.
void AddFloorQuad(MeshBuilder& b, float x0, float z0, float x1, float z1, float y, float tile) {
    auto v = [&](float x, float z) { return BuildVertex{{x, y, z}, {0, 1, 0}, {x / tile, -z / tile}}; };
    b.AddQuad(v(x0, z0), v(x0, z1), v(x1, z1), v(x1, z0));
}

// The floor in 2 x 2 tiles, so that lighting and shadows fall evenly over it.
void AddTiledFloor(MeshBuilder& b) {
    for (float z = kSouth; z < kNorth - 0.01f; z += 2.0f)
        for (float x = -kHalfWidth; x < kHalfWidth - 0.01f; x += 2.0f)
            AddFloorQuad(b, x, z, x + 2.0f, std::min(z + 2.0f, kNorth), 0.0f, 4.0f);
}

void AddWalls(MeshBuilder& b, uint32_t stone, uint32_t trim) {
    for (const Block& block : WallBlocks()) {
        b.UseMaterial(stone);
        AddBevelBox(b, block.center, block.half, 0.05f, 0.5f);
        b.UseMaterial(trim);
        const float top = block.center.y + block.half.y;
        // A coping along the top and a plinth along the foot, each a little proud of the wall.
        AddBevelBox(b, {block.center.x, top + 0.1f, block.center.z},
                    {block.half.x + 0.1f, 0.1f, block.half.z + 0.1f}, 0.04f);
        if (block.center.y - block.half.y < 0.01f)
            AddBevelBox(b, {block.center.x, 0.2f, block.center.z}, {block.half.x + 0.08f, 0.2f, block.half.z + 0.08f},
                        0.04f);
    }
}

// Round pillars at the room corners and on either side of every opening.
void AddPillars(MeshBuilder& b, uint32_t pillar, uint32_t cap) {
    std::vector<D3DXVECTOR2> at;
    for (float z : {kSouth, kArchWallZ, kArchWallZ + kThick, kDoorWallZ, kDoorWallZ + kThick, kNorth})
        for (float x : {-kHalfWidth, kHalfWidth}) at.push_back({x, z});
    for (float x : {-kArchX - kArchHalf, -kArchX + kArchHalf, kArchX - kArchHalf, kArchX + kArchHalf})
        at.push_back({x, kArchWallZ - 0.1f});
    for (float x : {kDoorX - kDoorHalf - 0.25f, kDoorX + kDoorHalf + 0.25f}) at.push_back({x, kDoorWallZ - 0.15f});
    for (const D3DXVECTOR2& p : at) {
        b.UseMaterial(pillar);
        b.AddCylinder({p.x, 0, p.y}, kHeight + 0.3f, {0.32f, 0.32f}, {0.26f, 0.26f}, 12);
        b.UseMaterial(cap);
        b.AddCylinder({p.x, kHeight + 0.3f, p.y}, 0.25f, {0.36f, 0.36f}, {0.42f, 0.42f}, 12);
    }
}

XModel Stage2Hall() {
    MeshBuilder b("Stage2Hall");
    XMaterial floorTiles = Colour(0.92f, 0.96f, 1.0f, 1, 12, 0.2f);
    floorTiles.texture = "stage2_floor.png";
    XMaterial wallStone = Colour(0.70f, 0.78f, 0.92f, 1, 8, 0.1f);
    wallStone.texture = "stage2_wall.png";
    const uint32_t floor = b.AddMaterial(floorTiles);
    const uint32_t stone = b.AddMaterial(wallStone);
    const uint32_t trim = b.AddMaterial(Colour(0.42f, 0.50f, 0.70f, 1, 8, 0.1f));
    const uint32_t pillar = b.AddMaterial(Colour(0.90f, 0.94f, 1.0f, 1, 30, 0.5f));
    const uint32_t gold = b.AddMaterial(Colour(0.95f, 0.75f, 0.30f, 1, 40, 0.6f));
    const uint32_t scorch = b.AddMaterial(Colour(0.55f, 0.22f, 0.12f, 1, 6, 0.05f));
    const uint32_t runner = b.AddMaterial(Colour(0.30f, 0.55f, 0.95f, 1, 12, 0.2f));
    const uint32_t carpet = b.AddMaterial(Colour(0.75f, 0.30f, 0.35f, 1, 6, 0.05f));
    b.UseMaterial(floor);
    AddTiledFloor(b);
    // Markings a hair above the floor: the red carpet from the start to the archways, the blackened
    // lane the fire sweeps, the blue runner of the box's slide and a gold step before the door.
    b.UseMaterial(carpet);
    AddFloorQuad(b, -0.8f, -1.5f, 0.8f, 8.0f, 0.01f, 4.0f);
    AddFloorQuad(b, -kArchX - 0.8f, 8.0f, kArchX + 0.8f, 9.6f, 0.01f, 4.0f);
    b.UseMaterial(scorch);
    AddFloorQuad(b, -kHalfWidth, 20.6f, kHalfWidth, 23.4f, 0.01f, 4.0f);
    b.UseMaterial(runner);
    AddFloorQuad(b, 2.0f, 15.0f, 3.0f, 20.6f, 0.01f, 4.0f);
    AddFloorQuad(b, 2.0f, 23.4f, 3.0f, 29.9f, 0.01f, 4.0f);
    b.UseMaterial(gold);
    AddFloorQuad(b, kDoorX - 1.2f, 28.0f, kDoorX + 1.2f, 29.9f, 0.012f, 4.0f);
    AddWalls(b, stone, trim);
    AddPillars(b, pillar, gold);
    return SingleModel("Stage2Hall", b);
}

// What the rays see: one floor quad and the plain wall boxes.
XModel Stage2Collision() {
    MeshBuilder b("Stage2Col");
    b.UseMaterial(b.AddMaterial(Colour(0.5f, 0.5f, 0.5f)));
    AddFloorQuad(b, -kHalfWidth - kThick, kSouth - kThick, kHalfWidth + kThick, kNorth + kThick, 0.0f, 4.0f);
    for (const Block& block : WallBlocks()) b.AddBox(block.center, block.half);
    return SingleModel("Stage2Col", b);
}

}  // namespace

XModel BuildStage2() { return Stage2Hall(); }

// Across the hall at its two cross walls and halfway through each room.
FloorPlanCuts Stage2Cuts() {
    const float arch = kArchWallZ + kThick / 2, door = kDoorWallZ + kThick / 2;
    return {{}, {(kSouth + arch) / 2, arch, (arch + door) / 2, door, (door + kNorth) / 2}};
}

bool WriteStage2(const std::string& root) {
    const std::string folder = root + "/data/xfile/Map/";
    return WriteMapPieces(folder + "Stage2", Stage2Hall(), Stage2Cuts()) && WriteX(folder + "Stage2_Col.x", Stage2Collision()) &&
           WriteStoneTexture(folder + "stage2_floor.png", 256) && WriteRockTexture(folder + "stage2_wall.png", 128);
}

}  // namespace xmodels
