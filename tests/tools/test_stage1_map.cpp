// The first stage's map as the game reads it: a small collision mesh under a detailed drawn one, walls
// too high to jump with doorways under lintels, a ledge that takes a jump, a grating that covers the
// trench's switch, a pit wider than a jump but not than a long jump off the ice, stairs out of it,
// and every placed object standing on the ground the collision mesh gives it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "tests/support/Pattern.h"

#include "objects/Collision.h"
#include "platform/d3dx/XFile.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Stage1Layout.h"

namespace {

using namespace xmodels::stage1;

constexpr float kJumpApex = 3.16f;    // the player's feet at the top of a jump
constexpr float kWallProbe = 0.7f;    // lower obstacles are stepped onto
constexpr float kJumpReach = 2.9f;    // 41 frames at 0.07
constexpr float kLongJump = 7.0f;     // 40 frames at 0.175 after sliding on ice

class Stage1Map : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string path = std::string(VELDORIN_GAME_DIR) + "/data/xfile/Map/Stage1_Col.x";
        ASSERT_EQ(D3DXLoadMeshFromXA(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, &collision), D3D_OK);
    }
    static void TearDownTestSuite() {
        if (collision) collision->Release();
        collision = nullptr;
    }
    // The distance along the ray to the collision mesh, or -1 when it misses.
    static float Cast(D3DXVECTOR3 origin, D3DXVECTOR3 direction) {
        float distance = -1.0f;
        return IntersectLocal(collision, origin, direction, nullptr, nullptr, &distance) ? distance : -1.0f;
    }
    // The height of the highest ground below a point 10 units up.
    static float Ground(float x, float z) { return 10.0f - Cast({x, 10.0f, z}, {0, -1, 0}); }

    static ID3DXMesh* collision;
};

ID3DXMesh* Stage1Map::collision = nullptr;

TEST_F(Stage1Map, TheCollisionMeshIsTheBlocksAndSmallWhileTheDrawnMapIsDetailed) {
    ASSERT_NE(collision, nullptr);
    EXPECT_LE(collision->GetNumFaces(), 500u) << "every ray query tests every face";
    EXPECT_EQ(collision->GetNumFaces(), Blocks().size() * 12);
    const xmodels::XModel drawn = xmodels::BuildStage1();
    ASSERT_EQ(drawn.frames.size(), 1u);
    EXPECT_GT(drawn.frames[0].meshes[0].faces.size(), 10 * collision->GetNumFaces());
    // The drawn map is textured and coloured: stone floors, rock walls, wood, and glowing lanterns.
    int textured = 0, glowing = 0;
    for (const xmodels::XMaterial& m : drawn.frames[0].meshes[0].materials) {
        textured += !m.texture.empty();
        glowing += m.emissive.x > 0.5f;
    }
    EXPECT_GE(textured, 10);
    EXPECT_GE(glowing, 1);
    EXPECT_EQ(xmodels::FormatX(drawn), xmodels::FormatX(xmodels::BuildStage1())) << "generation is deterministic";
}

TEST_F(Stage1Map, WallsAreTooHighToJumpAndDoorwaysHaveLintelsOverTheDoors) {
    for (const Block& b : Blocks()) {
        if (b.surface != Surface::Wall) continue;
        EXPECT_GE(b.hi.y - 0.0f, 3.6f) << "a wall beside a floor at 0";
        EXPECT_GT(b.hi.y - kJumpApex, 0.4f);
        EXPECT_LE(b.lo.y, kPitFloor) << "walls reach below the pit's floor";
    }
    for (float x : {kDoorX, 0.0f}) {
        const float wall = x == 0.0f ? kWall2 : kWall1;
        // Through the doorway at walking height; over the door's 3 units the lintel stops a jump.
        EXPECT_GT(Cast({x, kWallProbe, wall - 3}, {0, 0, 1}), 4.0f) << x;
        EXPECT_NEAR(Cast({x, kDoorTop + 0.2f, wall - 3}, {0, 0, 1}), 3.0f, 1e-4f) << x;
        // Beside the doorway the wall blocks at every height.
        for (float y : {kWallProbe, 2.0f, 3.5f}) EXPECT_NEAR(Cast({x + 2.0f, y, wall - 3}, {0, 0, 1}), 3.0f, 1e-4f);
    }
    // Door 2 likewise, and the sides: no way round.
    EXPECT_GT(Cast({kDoorX, kWallProbe, kWall3 - 3}, {0, 0, 1}), 4.0f);
    EXPECT_NEAR(Cast({kDoorX, 3.2f, kWall3 - 3}, {0, 0, 1}), 3.0f, 1e-4f);
    EXPECT_NEAR(Cast({0, 3.5f, 10}, {1, 0, 0}), kHalfWidth, 1e-4f);
    EXPECT_NEAR(Cast({0, 3.5f, 60}, {-1, 0, 0}), kHalfWidth, 1e-4f);
}

TEST_F(Stage1Map, TheYardsLedgeTakesAJumpAndTheTrenchIsCoveredOverItsSwitch) {
    EXPECT_NEAR(Ground(0, 0), kYardFloor, 1e-4f);
    EXPECT_NEAR(Ground(0, 10), 0.0f, 1e-4f);
    const float ledge = -kYardFloor;
    EXPECT_GT(ledge, kWallProbe) << "too high to walk up";
    EXPECT_LT(ledge, kJumpApex - 1.0f) << "easily jumped";
    EXPECT_NEAR(Cast({0, kYardFloor + kWallProbe, 0}, {0, 0, 1}), kStepZ, 1e-4f);
    EXPECT_NEAR(Ground(kDaisX, kDaisZ), kDaisHeight, 1e-4f);
    // The lane lies open where the box waits and is covered by the grating over the switch.
    EXPECT_NEAR(Ground(-4, kBox2Z), kTrenchFloor, 1e-4f);
    EXPECT_NEAR(Ground(-4, kSwitch2Z), 0.0f, 1e-4f);
    EXPECT_GT(kSwitch2Z - 0.6f - kGrateZ, 1.5f) << "a box pushed by hand stops before the switch";
    // Under the grating a box slides freely: nothing at its wall probe's height until the lane's end.
    EXPECT_NEAR(Cast({-4, kTrenchFloor + 0.75f, kBox2Z}, {0, 0, 1}), kTrenchZ1 - kBox2Z, 1e-4f);
    EXPECT_GT(kTrenchFloor + kJumpApex, 0.5f) << "a jump gets the player out";
}

TEST_F(Stage1Map, ThePitTakesALongJumpAndHasStairsBackUp) {
    EXPECT_NEAR(Ground(0, kPitZ0 - 0.1f), 0.0f, 1e-4f);
    EXPECT_NEAR(Ground(0, (kPitZ0 + kPitZ1) / 2), kPitFloor, 1e-4f);
    EXPECT_NEAR(Ground(0, kPitZ1 + 0.1f), 0.0f, 1e-4f);
    const float gap = kPitZ1 - kPitZ0;
    EXPECT_GT(gap, kJumpReach + 1.5f);
    EXPECT_LT(gap, kLongJump - 1.5f);
    EXPECT_GT(0.0f - kPitFloor, kJumpApex + 0.4f) << "no climbing out but by the stairs";
    // The stairs: each step a walkable rise, from the pit's floor to a step below the near floor.
    float previous = kPitFloor;
    for (float z = kPitZ1 - 0.05f; z > kPitZ0; z -= kStairRun / 2) {
        const float ground = Ground(-5.3f, z);
        EXPECT_LT(ground - previous, kWallProbe - 0.2f) << z;
        EXPECT_GE(ground, previous - 1e-4f) << z;
        previous = ground;
    }
    EXPECT_LT(0.0f - previous, 0.5f) << "the top step meets the near floor";
    // From the stairs' top no plain jump reaches the far side.
    EXPECT_GT(kPitZ1 - (kPitZ0 + kStairRun), kJumpReach);
}

TEST_F(Stage1Map, EveryPlacedObjectStandsOnTheGround) {
    std::ifstream in(std::string(VELDORIN_SOURCE_DIR) + "/content/Data/txt/Mapdata1.txt");
    const Pattern line(R"(^Name\((\w+)\)\tPos\(([-\d.]+),([-\d.]+),([-\d.]+)\))");
    std::map<std::string, int> count;
    for (std::string text; std::getline(in, text);) {
        const PatternMatch m = line.Search(text);
        ASSERT_TRUE(m) << text;
        const std::string name = m[1];
        ++count[name];
        if (name == "Map" || name == "CDoor") continue;
        const float x = std::stof(m[2]), y = std::stof(m[3]), z = std::stof(m[4]);
        if (name == "CSwitch") {
            // Switch 1 over the hole its plate sinks into, switch 2 on the lane under the grating.
            EXPECT_NEAR(Ground(x, z), count[name] == 1 ? kSwitchHoleFloor : 0.0f, 1e-4f) << text;
            EXPECT_NEAR(y, count[name] == 1 ? 0.0f : kTrenchFloor, 1e-4f) << text;
            continue;
        }
        // Stacked crates stand one unit up on another.
        const float ground = Ground(x, z);
        EXPECT_TRUE(std::fabs(ground - y) < 1e-3f || (name == "CSimpleObject" && std::fabs(ground + 1 - y) < 1e-3f))
            << text;
    }
    EXPECT_EQ(count["Map"], static_cast<int>(xmodels::Stage1Cuts().PieceCount()) + 1) << "the stage's pieces and the sky";
    EXPECT_EQ(count["Player"], 1);
    EXPECT_EQ(count["CSwitch"], 2);
    EXPECT_EQ(count["CDoor"], 2);
    EXPECT_EQ(count["CWoodBox"], 2);
    EXPECT_EQ(count["CChest"], 1);
    EXPECT_EQ(count["CItem"], 1);
    EXPECT_EQ(count["CGoal"], 1);
    EXPECT_EQ(count["CLauncher"], 0);
}

TEST_F(Stage1Map, TheResourceListNamesEveryMeshThePlacementUses) {
    const std::string txt = std::string(VELDORIN_SOURCE_DIR) + "/content/Data/txt/";
    std::ifstream list(txt + "Map1.txt"), placement(txt + "Mapdata1.txt");
    std::set<std::string> listed, used;
    for (std::string text; std::getline(list, text);) {
        ASSERT_EQ(text.rfind("0,0,", 0), 0u) << text;
        listed.insert(text.substr(4));
    }
    const Pattern mesh(R"(\t(?:Mesh|ColMesh|OpMesh|BaseMesh)\(([^)]*)\))");
    for (std::string text; std::getline(placement, text);)
        for (const PatternMatch& m : mesh.All(text)) used.insert(m[1]);
    EXPECT_EQ(listed, used);
}

}  // namespace
