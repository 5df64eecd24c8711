// Stone statues: rolling along their axis toward a player within 10 units of their lane, landing on the player's
// line, stopping short of walls and boxes, the rolling sound only on frames with movement, the wheel,
// freezing level by level with its overlays, standing still frozen through and the ice block at 150.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/Mesh.h"
#include "objects/CSimpleObject.h"
#include "objects/CStoneStatue.h"
#include "objects/ColdObject.h"
#include "objects/ColdShot.h"
#include "tests/support/StatueWorld.h"

namespace {

constexpr const char* kBody = "Mesh(data/xfile/Object/Barrel.x)";
constexpr const char* kBlock = "ColMesh(data/xfile/Object/Crate.x)";
constexpr const char* kWheel = "WheelMesh(data/xfile/Object/Boulder.x)";

class StoneStatueTest : public StatueWorldTest {
protected:
    CStoneStatue* PlaceStatue(const D3DXVECTOR3& at, int axis, std::vector<std::string> more = {}) {
        std::vector<std::string> items = {"Pos(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," +
                                              std::to_string(at.z) + ")",
                                          kBody, kBlock, kWheel, "Target(Player)", "Dir(" + std::to_string(axis) + ")"};
        items.insert(items.end(), more.begin(), more.end());
        return Place<CStoneStatue>(items);
    }
    static void Hit(CStoneStatue* statue, int times) {
        ColdObject marker;
        for (int i = 0; i < times; ++i) statue->OnHit(&marker);
    }
};

void ExpectMatrixNear(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a(r, c), b(r, c), 1e-4f) << r << "," << c;
}

TEST_F(StoneStatueTest, ItRollsAlongItsAxisTowardThePlayerAndStopsOnThePlayersLine) {
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(3, 0, 4));
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    EXPECT_EQ(statue->kind, KIND_STATUE);
    EXPECT_STREQ(statue->ClassName(), "CStoneStatue");
    EXPECT_EQ(statue->axis, 1);
    Frame();
    EXPECT_EQ(statue->chasing, 1);
    EXPECT_NEAR(statue->Position().x, 0.11f, 1e-6f);
    EXPECT_EQ(statue->Position().z, 0.0f) << "only its axis moves";
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 1);
    EXPECT_EQ(SoundManager::GetInstance().Requested(CStoneStatue::kRollSound).volume, -800);
    EXPECT_NEAR(statue->wheelAngle, 0.11f * 20.0f, 1e-4f);
    EXPECT_NEAR(statue->world->_41, 0.11f, 1e-6f);

    Frame(40);
    EXPECT_EQ(statue->Position().x, 3.0f) << "lands exactly on the player's line";
    const int plays = Plays(CStoneStatue::kRollSound);
    EXPECT_EQ(plays, 26) << "25 steps of 0.11, then one that ends in the snap";
    Frame(10);
    EXPECT_EQ(statue->Position().x, 3.0f);
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), plays) << "silent while it stands";
    EXPECT_EQ(Dumped(*statue)["freezeAmount"], 0);
    EXPECT_EQ(Dumped(*statue)["chasing"], 1);
}

TEST_F(StoneStatueTest, AlongZItSnapsOnWithinAFifthAndMakesNoSoundWithoutMoving) {
    PlaceFloor();
    StandIn* player = PlaceStandIn(D3DXVECTOR3(-4, 0, 0.15f));
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 0);
    Frame();
    EXPECT_EQ(statue->Position().z, 0.15f);
    EXPECT_EQ(statue->Position().x, 0.0f);
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 1);
    Frame(5);
    EXPECT_EQ(statue->Position().z, 0.15f);
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 1);

    // Going down: above the player's line by more than the snap it steps 0.11, then lands.
    EXPECT_NEAR(statue->wheelAngle, 3.0f, 1e-4f);
    player->MoveTo(D3DXVECTOR3(-4, 0, -0.2f));
    Frame();
    EXPECT_NEAR(statue->Position().z, 0.04f, 1e-6f);
    EXPECT_NEAR(statue->wheelAngle, 0.8f, 1e-4f);
    Frame();
    EXPECT_EQ(statue->Position().z, -0.2f);
    EXPECT_NEAR(statue->wheelAngle, 356.0f, 1e-3f) << "turned back past zero and brought into 0 .. 360";
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 3);
}

TEST_F(StoneStatueTest, APlayerTenOrMoreFromItsLaneIsNotChasedHoweverFarAlongIt) {
    PlaceFloor();
    StandIn* player = PlaceStandIn(D3DXVECTOR3(6, 0, 10));  // exactly 10 from the lane
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    Frame(20);
    EXPECT_EQ(statue->chasing, 0);
    EXPECT_EQ(statue->Position().x, 0.0f);
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 0);
    player->MoveTo(D3DXVECTOR3(6, 0, 9.9f));
    Frame();
    EXPECT_EQ(statue->chasing, 1);
    EXPECT_NEAR(statue->Position().x, 0.11f, 1e-6f);
    // Far along the lane, near it across: still in sight.
    player->MoveTo(D3DXVECTOR3(-30, 0, -2));
    Frame();
    EXPECT_EQ(statue->chasing, 1);
    EXPECT_NEAR(statue->Position().x, 0.0f, 1e-6f);
}

TEST_F(StoneStatueTest, WithoutATargetItStandsStill) {
    PlaceFloor();
    CStoneStatue* early = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);  // before any player
    PlaceStandIn(D3DXVECTOR3(3, 0, 0));
    CStoneStatue* untold = Place<CStoneStatue>({"Pos(0,0,3)", kBody, "Dir(1)"});
    CStoneStatue* other = Place<CStoneStatue>({"Pos(0,0,-3)", kBody, "Target(Door)", "Dir(1)"});
    Frame(30);
    for (CStoneStatue* statue : {early, untold, other}) {
        EXPECT_EQ(statue->target, nullptr);
        EXPECT_EQ(statue->Position().x, 0.0f);
        EXPECT_EQ(statue->chasing, 0);
    }
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 0);
}

TEST_F(StoneStatueTest, AStatueNearerThanPointEightToAWallInItsWayDoesNotMove) {
    // A wall across x whose near face is at x = 0.75, tall enough for the probe 0.7 up.
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{1.25f, 2, 0}, {0.5f, 2, 10}}});
    PlaceStandIn(D3DXVECTOR3(5, 0, 0));
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    Frame(20);
    EXPECT_EQ(statue->Position().x, 0.0f);
    EXPECT_EQ(statue->move.x, 0.0f);
    EXPECT_EQ(statue->wheelAngle, 0.0f);
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), 0);

    // From 2.0 away it rolls up until the next step would end nearer than 0.8.
    ClearObjects();
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{2.5f, 2, 0}, {0.5f, 2, 10}}});
    PlaceStandIn(D3DXVECTOR3(5, 0, 0));
    statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    Frame(20);
    EXPECT_NEAR(statue->Position().x, 1.1f, 1e-4f);
    // Away from the wall it is free again.
    static_cast<StandIn*>(FirstOfKind(KIND_PLAYER))->MoveTo(D3DXVECTOR3(-5, 0, 0));
    Frame();
    EXPECT_NEAR(statue->Position().x, 0.99f, 1e-4f);
}

TEST_F(StoneStatueTest, BoxesStandingWithinFiveStopItOtherStatuesDoNot) {
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(0, 0, 6));
    Place<CSimpleObject>({"Pos(0,0,3)", "Mesh(data/xfile/Object/Crate.x)"});
    CStoneStatue* blocked = PlaceStatue(D3DXVECTOR3(0, 0, 0), 0);
    Frame(30);
    const float stopped = blocked->Position().z;
    EXPECT_GT(stopped, 0.5f);
    EXPECT_LT(stopped, 2.0f);
    Frame(10);
    EXPECT_EQ(blocked->Position().z, stopped);

    // A box is tested only while it stands less than 5 away in x and z: one whose near face is
    // close but whose position is far is rolled into.
    ClearObjects();
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(0, 0, 8));
    Place<CSimpleObject>({"Pos(0,0,6.5)", "Mesh(" + WriteBlocks("Long", {{{0, 1, -4}, {3, 1, 1}}}) + ")"});
    CStoneStatue* through = PlaceStatue(D3DXVECTOR3(0, 0, 0), 0);
    Frame(20);
    EXPECT_NEAR(through->Position().z, 2.2f, 1e-4f);

    // Another statue is no obstacle.
    ClearObjects();
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(0, 0, 6));
    Place<CStoneStatue>({"Pos(0,0,1.8)", kBody, kBlock});
    CStoneStatue* free = PlaceStatue(D3DXVECTOR3(0, 0, 0), 0);
    Frame(10);
    EXPECT_NEAR(free->Position().z, 1.1f, 1e-4f);
}

TEST_F(StoneStatueTest, TheWheelTurnsAboutItsAxleWithTheStatue) {
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(4, 0, 4));
    CStoneStatue* alongZ = PlaceStatue(D3DXVECTOR3(0, 0, 0), 0, {"Angle(0,90,0)"});
    CStoneStatue* alongX = PlaceStatue(D3DXVECTOR3(0, 0, 2), 1, {});
    D3DXMATRIX hub;
    D3DXMatrixTranslation(&hub, 0, 0.5f, 0);
    ExpectMatrixNear(alongX->wheelTransform, hub * *alongX->world);  // placed with the statue before it rolls
    Frame(3);
    for (CStoneStatue* statue : {alongZ, alongX}) {
        EXPECT_NEAR(statue->wheelAngle, 3 * 0.11f * 20.0f, 1e-3f);
        D3DXMATRIX spin;
        D3DXMatrixRotationZ(&spin, (statue->axis == 0 ? 1 : -1) * statue->wheelAngle * 0.017453f);
        ExpectMatrixNear(statue->wheelTransform, spin * hub * statue->rotMat * statue->transMat);
        // The top of the wheel runs ahead the way the statue rolls (toward the player at +x, +z).
        const D3DXVECTOR3 top(0, 1, 0);
        D3DXVECTOR3 turned;
        D3DXVec3TransformNormal(&turned, &top, &statue->wheelTransform);
        EXPECT_GT(statue->axis == 0 ? turned.z : turned.x, 0.0f) << statue->axis;
    }
    // A "Dir" that names no axis keeps the one it has.
    CStoneStatue* odd = Place<CStoneStatue>({"Pos(0,0,0)", "Dir(2)"});
    EXPECT_EQ(odd->axis, 1);
    odd = Place<CStoneStatue>({"Pos(0,0,0)", "Dir(zero)"});
    EXPECT_EQ(odd->axis, 1);
}

TEST_F(StoneStatueTest, ColdHitsFreezeItInLevelsTwentyStopItAndTenMoreEncaseIt) {
    PlaceFloor();
    PlaceStandIn(D3DXVECTOR3(8, 0, 0));
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    const DrawParams* params = statue->overlayParams;
    EXPECT_EQ(params[CStoneStatue::EAGLE_ICE_1].alpha, 0.0f);
    EXPECT_EQ(params[CStoneStatue::WHEEL_ICE].edge, 0);

    CSimpleObject notCold;
    statue->OnHit(&notCold);
    statue->OnHit(nullptr);
    EXPECT_EQ(statue->freezeAmount, 0);

    Hit(statue, 4);
    EXPECT_EQ(statue->freezeAmount, 20);
    EXPECT_FLOAT_EQ(params[CStoneStatue::EAGLE_ICE_1].alpha, 1.0f);
    Frame();
    EXPECT_EQ(statue->state, 0);
    Hit(statue, 5);
    EXPECT_NEAR(params[CStoneStatue::EAGLE_ICE_1].alpha, 1.0f / 6.0f, 1e-5f);
    EXPECT_NEAR(params[CStoneStatue::EAGLE_ICE_2].alpha, 5.0f / 6.0f, 1e-5f);
    Frame();
    EXPECT_EQ(statue->state, 1);
    Hit(statue, 1);
    EXPECT_FLOAT_EQ(params[CStoneStatue::EAGLE_ICE_2].alpha, 1.0f);
    EXPECT_NEAR(params[CStoneStatue::WHEEL_ICE].alpha, 0.1f, 1e-6f);
    Frame();
    EXPECT_EQ(statue->state, 2);
    const float rolled = statue->Position().x;
    EXPECT_GT(rolled, 0.0f) << "still rolling at level 2";

    Hit(statue, 10);
    EXPECT_EQ(statue->freezeAmount, 100);
    EXPECT_EQ(statue->state, 3);
    EXPECT_FLOAT_EQ(params[CStoneStatue::WHEEL_ICE].alpha, 1.0f);
    const int plays = Plays(CStoneStatue::kRollSound);
    Frame(20);
    EXPECT_EQ(statue->Position().x, rolled) << "frozen through it stands";
    EXPECT_EQ(Plays(CStoneStatue::kRollSound), plays);

    // Not yet encased at 145: no ice block in any pass.
    Hit(statue, 9);
    EXPECT_EQ(statue->freezeAmount, 145);
    EXPECT_EQ(Count(Record([&] { statue->Draw(); }), "MyShader.BeginPass:1"), 0);
    const long shadowDraws = Count(Record([&] { statue->DrawShadow(); }), "DrawSubset(");
    Hit(statue, 1);
    EXPECT_EQ(statue->freezeAmount, 150);
    std::vector<std::string> calls = Record([&] { statue->Draw(); });
    EXPECT_EQ(Count(calls, "MyShader.BeginPass:1"), 1) << "the ice block over the statue";
    EXPECT_GT(Count(Record([&] { statue->DrawShadow(); }), "DrawSubset("), shadowDraws);
    D3DXMATRIX seen;
    ASSERT_EQ(ShaderManager::GetInstance().toon.effect->GetMatrix("mW", &seen), D3D_OK);
    ExpectMatrixNear(seen, *statue->world);
    Hit(statue, 3);
    EXPECT_EQ(statue->freezeAmount, 150);
    EXPECT_EQ(Dumped(*statue)["freezeAmount"], 150);
}

TEST_F(StoneStatueTest, TheIceOverlaysShowByLevelWithTheirOwnParameters) {
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(1, 0, 2), 0);
    for (Mesh* overlay : statue->overlays) {
        ASSERT_NE(overlay, nullptr);
        ASSERT_NE(overlay->mesh, nullptr) << "the overlay models are in the content tree";
    }
    ID3DXEffect* toon = ShaderManager::GetInstance().toon.effect;
    const DrawParams* shared = statue->overlays[CStoneStatue::EAGLE_ICE_1]->drawParams;
    // Unfrosted nothing shows; level 0: the first coat; level 1: both coats; level 2: the thick coat
    // and the iced wheel.
    const struct {
        int hits;
        long draws;
    } levels[] = {{0, 0}, {1, 1}, {4, 2}, {6, 2}};
    for (const auto& level : levels) {
        Hit(statue, level.hits);
        Frame();
        const std::vector<std::string> calls = Record([&] { statue->DrawAlpha(); });
        EXPECT_EQ(Count(calls, "MyShader.BeginPass:1"), level.draws) << statue->state;
        EXPECT_EQ(Count(calls, "MyShader.BeginPass:"), level.draws) << "no toon pass";
    }
    EXPECT_EQ(statue->state, 2);
    D3DXMATRIX seen;
    ASSERT_EQ(toon->GetMatrix("mW", &seen), D3D_OK);
    ExpectMatrixNear(seen, statue->wheelTransform);
    EXPECT_EQ(statue->overlays[CStoneStatue::EAGLE_ICE_1]->drawParams, shared) << "the mesh's own back";
}

TEST_F(StoneStatueTest, AColdRayStrikingTheStatueFreezesIt) {
    CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(0, 0, 0), 1);
    ProbeHit hit;
    hit.object = statue;
    EXPECT_EQ(StrikeCold(hit), ColdStrike::Froze);
    EXPECT_EQ(statue->freezeAmount, 5);
    EXPECT_EQ(CountKind(KIND_COLD), 0);
}

}  // namespace

// A statue rolling at a player who stands in its lane against a wall shoves the player out across the
// lane, to the side the player stands on, and never holds the player inside its block; where a wall
// leaves no room across, the statue stops a walking clearance short of the player instead.
TEST_F(StoneStatueTest, ItShovesAPlayerInItsLaneAcrossItNeverIntoItsBlock) {
    struct Case { float playerZ; float northWallFace; float shovedTo; };  // shovedTo 0: the statue stops
    const Case cases[] = {{0.2f, 9.0f, 1.0f}, {-0.2f, 9.0f, -1.0f}, {0.2f, 1.0f, 0.0f}};
    for (const Case& c : cases) {
        ClearObjects();
        // The east wall's face at x = 3.5; a wall along the lane's north side at northWallFace.
        PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{4.0f, 2, 0}, {0.5f, 2, 10}},
                  {{0, 2, c.northWallFace + 0.5f}, {10, 2, 0.5f}}});
        StandIn* player = PlaceStandIn(D3DXVECTOR3(3.0f, 0, c.playerZ));
        CStoneStatue* statue = PlaceStatue(D3DXVECTOR3(-3, 0, 0), 1);
        const D3DXVECTOR3 lo = statue->footMin, hi = statue->footMax;
        ASSERT_LT(lo.z, -0.3f);
        ASSERT_GT(hi.z, 0.3f);
        for (int frame = 0; frame < 80; ++frame) {
            Frame();
            const D3DXVECTOR3 p = player->Position(), at = statue->Position();
            const bool inside = p.x > at.x + lo.x && p.x < at.x + hi.x && p.z > at.z + lo.z && p.z < at.z + hi.z;
            ASSERT_FALSE(inside) << "frame " << frame << " z " << c.playerZ;
        }
        const D3DXVECTOR3 p = player->Position(), at = statue->Position();
        if (c.shovedTo > 0.0f) {
            EXPECT_GE(p.z, hi.z + CStoneStatue::kPlayerClearance) << c.playerZ;
        } else if (c.shovedTo < 0.0f) {
            EXPECT_LE(p.z, lo.z - CStoneStatue::kPlayerClearance) << c.playerZ;
        }
        if (c.shovedTo == 0.0f) {
            EXPECT_EQ(p.z, c.playerZ) << "no room across: the player stays";
            EXPECT_LE(at.x + hi.x, p.x - CStoneStatue::kPlayerClearance + 1e-4f);
            EXPECT_GT(at.x + hi.x, p.x - CStoneStatue::kPlayerClearance - CStoneStatue::kRollStep);
        } else {
            // With the player out of its way it rolls on up to the wall's stopping distance.
            EXPECT_LE(at.x, 3.5f - CStoneStatue::kStopDistance + 1e-4f);
            EXPECT_GT(at.x, 3.5f - CStoneStatue::kStopDistance - CStoneStatue::kRollStep);
        }
        EXPECT_EQ(p.x, 3.0f) << "the shove is across the lane only";
    }
}
