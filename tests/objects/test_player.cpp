// The player on stages built by the tests: jumping and gravity, walking and turning, ledges, walls and
// pushing, the gun raised and lowered, and sliding on ice. Frames are stepped as the game scene steps
// them; input comes from keys held by the test.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/SkinnedMesh.h"
#include "objects/CSimpleObject.h"
#include "objects/CStoneStatue.h"
#include "objects/ColdObject.h"
#include "objects/ColdShot.h"
#include "tests/support/StageWorld.h"

namespace {

using PlayerTest = StageWorldTest;

TEST_F(PlayerTest, AJumpRisesFallsAndLandsWithItsSoundAndNeverStartsWhileAiming) {
    PlaceFloor();
    Player* player = PlacePlayer({0, 0, 0});
    EXPECT_EQ(player->skin->current, PLAYER_STAND);
    EXPECT_EQ(player->skin->containerCount, 2);
    Frame(59);
    EXPECT_FLOAT_EQ(player->Position().y, 0.01f);
    EXPECT_EQ(player->state, PLAYER_STAND);

    input.held = {VK_SPACE};
    Frame();  // frame 60
    input.held.clear();
    EXPECT_EQ(player->inAir, 1);
    EXPECT_FLOAT_EQ(player->fallSpeed, 0.3f);
    int firstFall = 0, frame = 60;
    float top = 0.0f;
    while (player->inAir && frame < 200) {
        Frame();
        ++frame;
        top = std::max(top, player->Position().y);
        if (!firstFall && player->state == PLAYER_FALL) firstFall = frame;
        if (!firstFall) {
            EXPECT_EQ(player->state, PLAYER_RISE) << frame;
        }
    }
    // 0.3 less 0.015 a frame drops below zero at the 21st decrement in single precision.
    EXPECT_EQ(firstFall, 81);
    EXPECT_GT(top, 3.0f);
    EXPECT_FLOAT_EQ(player->Position().y, 0.01f);
    Frame();
    EXPECT_EQ(player->state, PLAYER_STAND);
    EXPECT_EQ(Plays(6), 1) << "landing sound";

    // The gun up: Space does nothing.
    input.held = {VK_LBUTTON};
    Frame(3);
    input.held = {VK_LBUTTON, VK_SPACE};
    Frame(2);
    EXPECT_EQ(player->state, PLAYER_AIM_STAND);
    EXPECT_EQ(player->inAir, 0);
    EXPECT_EQ(player->fallSpeed, 0.0f);
}

TEST_F(PlayerTest, WalksRelativeToTheCameraAndTurnsAtMost15DegreesAFrameThroughTheCrossProductsSide) {
    PlaceFloor();
    Player* player = PlacePlayer({0, 0, 0});
    Camera camera;
    Application::GetInstance().camera = &camera;

    struct Case {
        std::set<int> keys;
        D3DXVECTOR3 step;  // per frame
    };
    // Opposite keys: forward beats backward, right beats left.
    for (const Case& c : {Case{{'W', 'S'}, {0, 0, 0.07f}}, Case{{'D', 'A'}, {0.07f, 0, 0}}}) {
        const D3DXVECTOR3 before = player->Position();
        input.held = c.keys;
        Frame(10);
        const D3DXVECTOR3 moved = player->Position() - before;
        EXPECT_NEAR(moved.x, c.step.x * 10, 1e-4f);
        EXPECT_NEAR(moved.z, c.step.z * 10, 1e-4f);
    }
    // After walking right the player faces +x: 15 degrees a frame from +z, 6 frames.
    EXPECT_NEAR(Player::Shared().playerYaw, 90.0f, 1e-3f);

    // A reversal with the camera turned one degree either way turns through the side the walk
    // direction leans to; twelve frames of 15 degrees.
    for (const float cameraYaw : {1.0f, -1.0f}) {
        input.held.clear();
        Frame();
        Player::Shared().playerYaw = 90.0f;
        camera.yaw = cameraYaw;
        input.held = {'A'};
        Frame();
        const float expectedFirst = cameraYaw > 0 ? 75.0f : 105.0f;
        EXPECT_NEAR(Player::Shared().playerYaw, expectedFirst, 1e-3f) << cameraYaw;
        Frame(11);
        EXPECT_NEAR(std::fabs(Player::Shared().playerYaw - 90.0f), 179.0f, 0.2f) << cameraYaw;
        input.held = {'D'};
        Frame(13);
    }
    Application::GetInstance().camera = nullptr;
}

TEST_F(PlayerTest, SmallDropsAreWalkedDownLargerOnesFallenAndNothingBelowHovers) {
    struct Case {
        float drop;
        bool falls;
    };
    for (const Case& c : {Case{0.4f, false}, Case{1.0f, true}}) {
        ClearObjects();
        Player::ResetShared();
        PlaceMap({{{-5, -0.5f, 0}, {5, 0.5f, 5}}, {{5, -0.5f - c.drop, 0}, {5, 0.5f, 5}}});
        Player* player = PlacePlayer({-1, 0, 0});
        input.held = {'D'};
        bool inAir = false, fell = false;
        for (int i = 0; i < 60; ++i) {
            Frame();
            inAir = inAir || player->inAir;
            // Walking off, the fall speed is below zero at once: straight to falling.
            fell = fell || player->state == PLAYER_FALL;
        }
        input.held.clear();
        Frame(40);
        EXPECT_EQ(inAir, c.falls) << c.drop;
        EXPECT_EQ(fell, c.falls) << c.drop;
        EXPECT_FLOAT_EQ(player->Position().y, 0.01f - c.drop) << c.drop;
        EXPECT_EQ(player->inAir, 0);
    }

    // Off the edge of the only ground: the last ground height + 0.05, without falling.
    ClearObjects();
    Player::ResetShared();
    PlaceMap({{{-5, -0.5f, 0}, {5, 0.5f, 5}}});
    Player* player = PlacePlayer({-1, 0, 0});
    input.held = {'D'};
    Frame(60);
    EXPECT_GT(player->Position().x, 2.0f);
    EXPECT_FLOAT_EQ(player->Position().y, 0.05f);
    EXPECT_EQ(player->inAir, 0);
}

TEST_F(PlayerTest, WallsKeepHalfAUnitAndABoxIsReadyToPushAfter25Frames) {
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{6, 1, 0}, {0.25f, 1, 10}}});
    Place<CSimpleObject>({"Pos(0,0,3)", "Mesh(data/xfile/Object/Crate.x)"});
    Player* player = PlacePlayer({0, 0, 0});
    // Into the wall at x = 5.75: stopped 0.5 short of it.
    input.held = {'D'};
    Frame(100);
    EXPECT_NEAR(player->Position().x, 5.25f, 1e-3f);
    EXPECT_EQ(player->state, PLAYER_WALK);
    EXPECT_EQ(player->pushReady, 0);

    // Back, then into the crate (its planks' face at z = 2.54): pushing, and ready on the 26th frame of it.
    player->transMat._41 = 0;
    input.held = {'W'};
    int pushing = 0;
    for (int i = 0; i < 120 && player->pushReady != 1; ++i) {
        Frame();
        if (player->state == PLAYER_PUSH) {
            ++pushing;
            if (pushing < 26) {
                EXPECT_EQ(player->pushReady, 2) << pushing;
            }
        }
    }
    EXPECT_EQ(pushing, 26);
    EXPECT_EQ(player->pushReady, 1);
    EXPECT_NEAR(player->Position().z, 2.04f, 0.01f);
    input.held.clear();
    Frame();
    EXPECT_EQ(player->pushReady, 0);
    EXPECT_EQ(player->state, PLAYER_STAND);
}

TEST_F(PlayerTest, AJumpIntoALintelNeitherLodgesTheHeadInItNorStandsOnItsUnderside) {
    // A lintel from y = 3 to 5.2 over z = 6 .. 6.5; jumps taken at every distance before it.
    int walkedUnder = 0;
    for (int step = 0; step < 20; ++step) {
        const float start = 3.8f + 0.1f * step;
        ClearObjects();
        Player::ResetShared();
        PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{0, 4.1f, 6.25f}, {10, 1.1f, 0.25f}}});
        Player* player = PlacePlayer({0, 0, start});
        input.held = {'W', VK_SPACE};
        for (int frame = 0; frame < 90; ++frame) {
            Frame();
            input.held = {'W'};
            const D3DXVECTOR3 p = player->Position();
            const bool under = p.z > 6.0f && p.z < 6.5f;
            ASSERT_FALSE(under && p.y + 1.2f > 3.0f) << "head in the lintel, jump at " << start << " frame " << frame;
            ASSERT_FALSE(player->inAir == 0 && p.y > 1.0f) << "stood on the underside, jump at " << start << " frame " << frame;
        }
        walkedUnder += player->Position().z > 7.0f;
    }
    EXPECT_EQ(walkedUnder, 20) << "every jump lands and walks on under the lintel";
}

TEST_F(PlayerTest, TheGunRisesFiresAndDropsWhenTheAimingPlayerStepsOntoIceAndSlides) {
    PlaceFloor();
    Player* player = PlacePlayer({0, 0, 0});
    // Without the gun, holding fire does nothing.
    player->skin->containerCount = 1;
    input.held = {VK_LBUTTON};
    Frame(5);
    EXPECT_EQ(player->state, PLAYER_STAND);
    player->skin->containerCount = 2;
    input.held.clear();
    Frame();

    input.held = {VK_LBUTTON};
    int readyAt = 0, firstShot = 0;
    for (int frame = 1; frame <= 60; ++frame) {
        Frame();
        if (!readyAt && player->aim == 1) readyAt = frame;
        if (!firstShot && CountKind(KIND_COLD) > 0) firstShot = frame;
        if (!readyAt) {
            EXPECT_EQ(player->aim, -1) << frame;
        }
    }
    EXPECT_EQ(readyAt, 26);
    EXPECT_EQ(firstShot, readyAt + 17);  // the charge passes 0.9 on its 18th frame
    EXPECT_EQ(Plays(5), 2) << "shots at 43 and 53 hit the floor, then the new patch";
    EXPECT_GT(Plays(16), 0);
    EXPECT_EQ(CountKind(KIND_COLD), 1);

    // Walking forward with the gun ready, at the aiming speed, onto the patch ahead.
    input.held = {VK_LBUTTON, 'W'};
    Frame();
    EXPECT_EQ(player->state, PLAYER_AIM_FORWARD);
    EXPECT_FLOAT_EQ(Player::Shared().moveSpeed, 0.035f);
    int onIce = 0;
    for (int i = 0; i < 200 && !onIce; ++i) {
        Frame();
        if (player->groundKind == KIND_COLD) onIce = 1;
    }
    ASSERT_TRUE(onIce);
    Frame();
    EXPECT_EQ(player->aim, 0);
    EXPECT_EQ(player->state, PLAYER_SLIDE);
    EXPECT_GT(Plays(4), 0) << "slide sound";

    // Let go: the slide goes on at no less than 0.21 while on the ice.
    input.held.clear();
    Frame();
    EXPECT_EQ(player->state, PLAYER_SLIDE);
    EXPECT_GE(Player::Shared().moveSpeed, 0.21f);
}

TEST_F(PlayerTest, FootstepsFallOnTheStepFramesOfTheWalkingCycle) {
    PlaceFloor();
    PlacePlayer({0, 0, 0});
    input.held = {'W'};
    std::vector<int> steps;
    for (int frame = 1; frame <= 110; ++frame) {
        const int before = Plays(3);
        Frame();
        if (Plays(3) != before) steps.push_back(frame);
    }
    EXPECT_EQ(steps, (std::vector<int>{19, 46, 73, 100}));
}

// Over ice into a wall the slide ends, standing, its sound stopped; walking into the statue's rough
// ice never leaves the ground nor plays the landing sound.
TEST_F(PlayerTest, ASlideIntoAWallEndsWithItsSoundAndTheStatueIsNoGroundToLandOn) {
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{0, 1, 5.25f}, {10, 1, 0.25f}}});
    for (float z : {1.5f, 3.0f, 4.5f}) LayIcePatch(D3DXVECTOR3(0, 0, z), D3DXVECTOR3(0, 1, 0));
    Place<CStoneStatue>({"Pos(10.3,0,3)", "ColMesh(data/xfile/Statue/Statue_Eagle_Col.x)", "Dir(1)", "Target(Player)"});
    Player* player = PlacePlayer({0, 0, 0});
    Frame(25);  // the patches grown
    input.held = {'W'};
    Frame(12);
    EXPECT_EQ(player->state, PLAYER_SLIDE);
    input.held.clear();
    Frame(25);
    EXPECT_EQ(player->state, PLAYER_STAND);
    EXPECT_NEAR(player->Position().z, 4.5f, 0.05f);
    const int plays = Plays(4);
    Frame(30);
    EXPECT_TRUE(Plays(4) == plays && SoundManager::GetInstance().Requested(4).stops > 0);
    player->transMat._41 = 10.0f, player->transMat._43 = 0.0f;  // off the ice, the statue rolling to meet it
    Frame(5);
    input.held = {'W'};
    for (int frame = 0; frame < 200; ++frame, Frame()) EXPECT_EQ(player->inAir, 0) << frame;
    EXPECT_EQ(Plays(6), 0);
}

}  // namespace
