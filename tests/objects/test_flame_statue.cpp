// Flame statues: bursts every sixth frame, rings and puffs from the mouth, flames fading beyond 8
// units so the flames stay few, the shove of 0.1 per frame within 2 units, additive drawing and the
// statue without a flame texture or without a target.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "graphics/Camera.h"
#include "loading/ObjectPlacement.h"
#include "objects/CFlameStatue.h"
#include "tests/support/StatueWorld.h"

namespace {

using FlameStatueTest = StatueWorldTest;

constexpr const char* kFlameTex = "FlameTex(data/Texture/cloud.bmp)";

std::string State(int state, DWORD value) {
    return "SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")";
}

TEST_F(FlameStatueTest, EverySixthFrameThreeRingsThenThreePuffsLeaveTheMouth) {
    CFlameStatue* statue = Place<CFlameStatue>({"Pos(1,0,2)", "Angle(0,90,0)", "Mesh(data/xfile/Object/Barrel.x)", kFlameTex});
    EXPECT_EQ(statue->kind, KIND_STATUE);
    EXPECT_STREQ(statue->ClassName(), "CFlameStatue");
    Frame(5);
    EXPECT_TRUE(statue->particles.empty());
    Frame();
    ASSERT_EQ(statue->particles.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const FlameParticle& p = statue->particles[i];
        EXPECT_EQ(p.shape, i < 3 ? FlameShape::Ring : FlameShape::Puff) << i;
        EXPECT_NEAR(p.origin.x, 1.0f, 1e-5f);
        EXPECT_NEAR(p.origin.z, 2.0f, 1e-5f);
        // Turned a quarter about y the statue faces +x: the mouth is 1 ahead along x, 1.5 up.
        EXPECT_NEAR(p.facing.x, 1.0f, 1e-4f) << i;
        EXPECT_NEAR(p.facing.z, 0.0f, 1e-4f) << i;
        EXPECT_GT(p.velocity.x, 0.0f) << "flies the way the statue faces";
        EXPECT_GE(p.fadeSpeed, 5);
        EXPECT_LE(p.fadeSpeed, 15);
        const D3DXVECTOR3 emitted = p.position - p.velocity;
        EXPECT_NEAR(emitted.x, 2.0f, 1e-4f) << i;
        EXPECT_NEAR(emitted.y, 1.5f, 0.2501f) << i;
        if (p.shape == FlameShape::Ring) {
            EXPECT_NEAR(emitted.y, 1.5f, 1e-4f);
            EXPECT_NEAR(emitted.z, 2.0f, 1e-4f);
            EXPECT_GE(p.spinSpeed, -3.0f);
            EXPECT_LT(p.spinSpeed, 4.0f);
            EXPECT_FLOAT_EQ(p.scale, 1.0f);
        } else {
            EXPECT_NEAR(emitted.z, 2.0f, 0.2501f);
            EXPECT_FLOAT_EQ(p.spinSpeed, 0.0f);
            EXPECT_NEAR(p.scale, 1.002f, 1e-6f) << "a puff grows 0.002 a frame";
        }
    }
    // The rings tilt down, level and up.
    EXPECT_LT(statue->particles[0].velocity.y, 0.0f);
    EXPECT_FLOAT_EQ(statue->particles[1].velocity.y, 0.0f);
    EXPECT_GT(statue->particles[2].velocity.y, 0.0f);
    Frame(5);
    EXPECT_EQ(statue->particles.size(), 6u);
    Frame();
    EXPECT_EQ(statue->particles.size(), 12u);
    EXPECT_EQ(Dumped(*statue)["particles"], 12);
}

TEST_F(FlameStatueTest, PuffsShowHeadOnRingsFromTheSideAndFlamesFadeOutBeyondEightUnits) {
    Camera camera;
    Application::GetInstance().camera = &camera;
    camera.target = D3DXVECTOR3(0, 1.5f, 0);
    camera.eye = D3DXVECTOR3(0, 1.5f, 20);  // looking back along the flames' flight
    CFlameStatue* statue = Place<CFlameStatue>({"Pos(0,0,0)", kFlameTex});
    Frame(6);
    for (const FlameParticle& p : statue->particles) EXPECT_EQ(p.alpha, p.shape == FlameShape::Puff ? 255 : 0);

    camera.eye = D3DXVECTOR3(20, 1.5f, 0);  // from the side
    Frame();
    for (const FlameParticle& p : statue->particles) EXPECT_EQ(p.alpha, p.shape == FlameShape::Puff ? 0 : 255);

    // A ring seen from the side starts its fade at full strength and loses fadeSpeed a frame.
    FlameParticle ring = statue->particles[0];
    ring.position = ring.origin + D3DXVECTOR3(0, 0, 8.01f);
    const D3DXVECTOR3 side(1, 0, 0);
    ring.Advance(side);
    EXPECT_TRUE(ring.fading);
    EXPECT_EQ(ring.alpha, 255 - ring.fadeSpeed);
    int frames = 1;
    while (!ring.dead) {
        ring.Advance(side);
        ++frames;
    }
    EXPECT_EQ(frames, 255 / ring.fadeSpeed + 1);
    EXPECT_EQ(ring.alpha, 0);
}

TEST_F(FlameStatueTest, FlamesWithinTwoUnitsShoveTheTargetATenthStraightAwayAcrossTheFloorEachFrame) {
    PlaceFloor();
    // At the height of the mouth, so the flames shove it back along their flight.
    StandIn* target = PlaceStandIn(D3DXVECTOR3(0.3f, 1.5f, 3.0f));
    CFlameStatue* statue = Place<CFlameStatue>({"Pos(0,0,0)", "Target(Player)", kFlameTex});
    ASSERT_EQ(statue->target, target);
    int pushes = 0;
    for (int frame = 0; frame < 400; ++frame) {
        const D3DXVECTOR3 before = target->Position();
        Frame();
        const FlameParticle* last = nullptr;
        for (const FlameParticle& p : statue->particles) {
            const D3DXVECTOR3 d = before - p.position;
            if (D3DXVec3Length(&d) < 2.0f) last = &p;
        }
        const D3DXVECTOR3 moved = target->Position() - before;
        if (!last) {
            EXPECT_EQ(D3DXVec3Length(&moved), 0.0f) << frame;
            continue;
        }
        ++pushes;
        D3DXVECTOR3 away = before - last->position;
        away.y = 0.0f;
        D3DXVec3Normalize(&away, &away);
        EXPECT_NEAR(moved.x, 0.1f * away.x, 1e-5f) << frame;
        EXPECT_NEAR(moved.y, 0.1f * away.y, 1e-5f) << frame;
        EXPECT_NEAR(moved.z, 0.1f * away.z, 1e-5f) << frame;
        EXPECT_FLOAT_EQ(target->world->_43, target->transMat._43);
    }
    EXPECT_GT(pushes, 10);
    EXPECT_GT(target->Position().z, 3.5f) << "driven back along the flames";
}

TEST_F(FlameStatueTest, ThePlayerItselfIsDrivenBackFromTheFlames) {
    PlaceFloor();
    Player* player = PlacePlayer(D3DXVECTOR3(0, 0, 2.5f));
    Place<CFlameStatue>({"Pos(0,0,0)", "Target(Player)", kFlameTex});
    for (int frame = 0; frame < 120; ++frame) {
        Frame();
        ASSERT_NEAR(player->Position().y, 0.0f, 0.1f) << "kept on the floor while shoved";
    }
    // Shoved back and off to the side until no flame comes near.
    const D3DXVECTOR3 at = player->Position();
    EXPECT_GT(D3DXVec3Length(&at), 3.5f);
    CFlameStatue* statue = static_cast<CFlameStatue*>(GetObjectList().back());
    for (const FlameParticle& p : statue->particles) {
        const D3DXVECTOR3 d = at - p.position;
        EXPECT_GE(D3DXVec3Length(&d), 2.0f);
    }
}

TEST_F(FlameStatueTest, TheFireNeverShovesThePlayerThroughAWall) {
    // The player stands between the mouth and a wall whose face lies at z = 3.6.
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{0, 2, 4.1f}, {6, 2, 0.5f}}});
    Player* player = PlacePlayer(D3DXVECTOR3(0, 0, 2.0f));
    Place<CFlameStatue>({"Pos(0,0,0)", "Target(Player)", kFlameTex});
    float nearest = 0.0f;
    for (int frame = 0; frame < 600; ++frame) {
        Frame();
        nearest = std::max(nearest, player->Position().z);
        ASSERT_LE(player->Position().z, 3.6f - 0.5f + 1e-3f) << frame;
    }
    EXPECT_GT(nearest, 3.0f) << "shoved right up to the wall";
}

TEST_F(FlameStatueTest, OverTenThousandFramesTheFlamesStayFew) {
    CFlameStatue* statue = Place<CFlameStatue>({"Pos(0,0,0)", "Angle(0,30,0)", kFlameTex});
    size_t most = 0;
    for (int frame = 1; frame <= 10000; ++frame) {
        Frame();
        most = std::max(most, statue->particles.size());
        for (const FlameParticle& p : statue->particles) {
            const D3DXVECTOR3 d = p.position - p.origin;
            ASSERT_LT(D3DXVec3Length(&d), 8.0f + 256.0f / 5.0f * 0.15f + 2.0f) << "nothing outlives its fade";
        }
    }
    // The slowest ring needs about 860 frames to get 8 units out and at most 52 more to fade: never
    // more than that many frames' worth of bursts are in the air.
    EXPECT_LT(most, 6u * (920u / 6u + 1u));
    EXPECT_GT(statue->particles.size(), 100u) << "and the statue still burns";
}

TEST_F(FlameStatueTest, WithoutAFlameTextureItBurnsButShowsNoFlames) {
    CFlameStatue* bare = Place<CFlameStatue>({"Pos(0,0,0)", "Mesh(data/xfile/Object/Barrel.x)"});
    CFlameStatue* missing = Place<CFlameStatue>({"Pos(5,0,0)", "FlameTex(data/Texture/NoSuchFlame.png)"});
    CFlameStatue* lit = Place<CFlameStatue>({"Pos(-5,0,0)", "Angle(0,180,0)", kFlameTex});
    Frame(30);
    EXPECT_EQ(bare->particles.size(), 30u);
    EXPECT_EQ(bare->flameTexture, nullptr);
    EXPECT_EQ(missing->particles.size(), 30u);
    for (CFlameStatue* dark : {bare, missing}) {
        const std::vector<std::string> calls = Record([&] { dark->DrawAlpha(); });
        EXPECT_TRUE(calls.empty());
    }
    // The statue itself is still drawn with the toon shader.
    EXPECT_GT(Count(Record([&] { bare->Draw(); }), "DrawSubset("), 0);

    const std::vector<std::string> calls = Record([&] { lit->DrawAlpha(); });
    EXPECT_EQ(Count(calls, "DrawPrimitiveUP("), 30);
    EXPECT_EQ(Count(calls, "SetTexture(0, 1)"), 30);
    EXPECT_EQ(Count(calls, State(D3DRS_DESTBLEND, D3DBLEND_ONE)), 1) << "drawn additively";
    EXPECT_EQ(Count(calls, State(D3DRS_CULLMODE, D3DCULL_NONE)), 1);
    EXPECT_EQ(Count(calls, State(D3DRS_ZWRITEENABLE, FALSE)), 1);
    EXPECT_EQ(calls.back(), State(D3DRS_CULLMODE, D3DCULL_CCW)) << "the usual state afterwards";
    EXPECT_EQ(Count(calls, State(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA)), 1);
    EXPECT_EQ(Count(calls, State(D3DRS_ZWRITEENABLE, TRUE)), 1);
}

TEST_F(FlameStatueTest, WithoutATargetNothingIsPushed) {
    // Placed before any player, or naming something else: no target.
    CFlameStatue* early = Place<CFlameStatue>({"Pos(0,0,0)", "Target(Player)", kFlameTex});
    StandIn* target = PlaceStandIn(D3DXVECTOR3(0, 0, 2.5f));
    CFlameStatue* other = Place<CFlameStatue>({"Pos(0,0,0)", "Target(Goal)", kFlameTex});
    CFlameStatue* untold = Place<CFlameStatue>({"Pos(0,0,0)", kFlameTex});
    EXPECT_EQ(early->target, nullptr);
    EXPECT_EQ(other->target, nullptr);
    EXPECT_EQ(untold->target, nullptr);
    Frame(200);
    EXPECT_GT(early->particles.size(), 0u);
    EXPECT_EQ(target->Position().x, 0.0f);
    EXPECT_EQ(target->Position().y, 0.0f);
    EXPECT_EQ(target->Position().z, 2.5f);
}

TEST_F(FlameStatueTest, APlacementFileMakesFlameAndStoneStatuesThatFindThePlayerAboveThem) {
    const std::string path = (scratch / "statues.txt").string();
    {
        std::ofstream file(path);
        file << "Name(CFlameStatue)\tPos(0,0,5)\tTarget(Player)\n"
             << "Name(Player)\tPos(0,0,0)\tSkinMesh(data/xfile/Player/player.x)\n"
             << "Name(CFlameStatue)\tPos(0,0,5)\tTarget(Player)\n"
             << "Name(CStoneStatue)\tPos(3,0,0)\tTarget(Player)\tDir(0)\n";
    }
    ObjectPlacement(path);
    std::vector<CharacterBase*> statues;
    CollectByKind(statues, KIND_STATUE);
    ASSERT_EQ(statues.size(), 3u);
    EXPECT_STREQ(statues[0]->ClassName(), "CFlameStatue");
    EXPECT_STREQ(statues[2]->ClassName(), "CStoneStatue");
    EXPECT_EQ(static_cast<CFlameStatue*>(statues[0])->target, nullptr) << "the player came later";
    EXPECT_EQ(static_cast<CFlameStatue*>(statues[1])->target, FirstOfKind(KIND_PLAYER));
}

}  // namespace
