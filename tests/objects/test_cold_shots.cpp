// The cold gun's charge and cadence, its 8-unit ray, ice patches (alignment, growth, life, shadow)
// and launchers (the sweep, silent hits, malformed records).
#include <gtest/gtest.h>

#include <cmath>

#include "objects/CLauncher.h"
#include "objects/CSimpleObject.h"
#include "objects/CStoneBox.h"
#include "objects/CStoneStatue.h"
#include "objects/CWoodBox.h"
#include "objects/ColdObject.h"
#include "objects/ColdShot.h"
#include "objects/ShotEmitter.h"
#include "tests/support/StageWorld.h"

namespace {

using ColdShotTest = StageWorldTest;

D3DXVECTOR3 Up(const D3DXMATRIX& rotation) {
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &up, &rotation);
    return out;
}

std::vector<ColdObject*> Patches() {
    std::vector<CharacterBase*> found;
    CollectByKind(found, KIND_COLD);
    std::vector<ColdObject*> patches;
    for (CharacterBase* o : found) patches.push_back(static_cast<ColdObject*>(o));
    return patches;
}

TEST_F(ColdShotTest, TheChargeFiresOnItsEighteenthFrameThenEveryTenthAndTheCounterCarriesOver) {
    PlaceFloor();
    ShotEmitter gun;
    gun.Init();
    gun.position = D3DXVECTOR3(0, 1.6f, 0);
    gun.active = 1;
    std::vector<int> shots;
    for (int update = 1; update <= 40; ++update) {
        const int before = Plays(5);
        gun.Update();
        Frame();  // the patches grow
        if (update == 17) {
            EXPECT_LE(gun.charge, 0.9f);
        } else if (update == 18) {
            EXPECT_GT(gun.charge, 0.9f);
        }
        if (Plays(5) != before) shots.push_back(update);
    }
    EXPECT_EQ(shots, (std::vector<int>{18, 28, 38}));
    // The shot goes forward and about 20.6 degrees down: the patch lies on the floor ahead.
    ASSERT_EQ(Patches().size(), 1u);
    EXPECT_NEAR(Patches()[0]->Position().z, 1.6f / std::tan(std::atan(0.015f / 0.04f)), 0.01f);
    // Hit twice while still growing: it grows on to 0.525 and its age counts from the last hit.
    EXPECT_NEAR(Patches()[0]->size, 0.525f, 1e-3f);
    EXPECT_EQ(Patches()[0]->age, 40 - 38 + 1);
    EXPECT_GT(Plays(16), 0);
    EXPECT_EQ(SoundManager::GetInstance().Requested(16).volume, -800);

    // Lowered at counter 2 and raised again: the charge starts over, the counter goes on from 2.
    gun.active = 0;
    gun.Update();
    EXPECT_EQ(gun.charge, 0.0f);
    gun.active = 1;
    const int before = Plays(5);
    int next = 0;
    for (int update = 1; update <= 30 && !next; ++update) {
        gun.Update();
        if (Plays(5) != before) next = update;
    }
    EXPECT_EQ(next, 18 + 7);
}

TEST_F(ColdShotTest, AWallNineUnitsAwayIsOutOfReachAndOneAtSevenGetsAPatchAlignedWithIt) {
    for (const float distance : {9.0f, 7.0f}) {
        ClearObjects();
        SoundManager::GetInstance().ClearRequests();
        // A wall facing -z whose near face is `distance` ahead of the muzzle.
        PlaceMap({{{0, 1.6f, distance + 0.5f}, {10, 10, 0.5f}}});
        ShotEmitter gun;
        gun.Init();
        gun.position = D3DXVECTOR3(0, 1.6f, 0);
        // Level the shot: turn the aim up by its own drop.
        D3DXMatrixRotationX(&gun.rotation, -std::atan2(0.015f, 0.04f));
        EXPECT_NEAR(gun.ShotDirection().y, 0.0f, 1e-5f);
        gun.Fire();
        if (distance > ShotEmitter::kRange) {
            EXPECT_TRUE(Patches().empty());
            EXPECT_EQ(Plays(5), 0) << "a miss is silent";
            continue;
        }
        ASSERT_EQ(Patches().size(), 1u);
        const ColdObject& patch = *Patches()[0];
        EXPECT_NEAR(patch.transMat._43, distance - 0.01f, 1e-4f);
        const D3DXVECTOR3 up = Up(patch.rotMat);
        EXPECT_NEAR(up.z, -1.0f, 1e-4f);
        EXPECT_EQ(Plays(5), 1);
    }
}

TEST_F(ColdShotTest, PatchesLieInTheFaceTheyStrikeFloorsAndCeilingsIncluded) {
    const float s = std::sqrt(0.5f);
    struct Case {
        D3DXVECTOR3 normal;
        D3DXVECTOR3 up;  // where the patch's own up ends
    };
    const Case cases[] = {
        {{0, 1, 0}, {0, 1, 0}},            // a floor
        {{0, -1, 0}, {0, -1, 0}},          // a ceiling: hanging, its face down
        {{0.05f, 0.9987f, 0}, {0.05f, 0.9987f, 0}},  // nearly flat: flat in the face, not on edge
        {{1, 0, 0}, {1, 0, 0}},            // walls
        {{0, 0, -1}, {0, 0, -1}},
        {{0, s, -s}, {0, s, -s}},          // a slope
        {{0, -s, -s}, {0, s, s}},          // an overhang: the plane of the face, turned over
    };
    for (const Case& c : cases) {
        const D3DXVECTOR3 up = Up(SurfaceAlignment(c.normal));
        EXPECT_NEAR(up.x, c.up.x, 2e-3f) << c.normal.x << "," << c.normal.y << "," << c.normal.z;
        EXPECT_NEAR(up.y, c.up.y, 2e-3f) << c.normal.x << "," << c.normal.y << "," << c.normal.z;
        EXPECT_NEAR(up.z, c.up.z, 2e-3f) << c.normal.x << "," << c.normal.y << "," << c.normal.z;
    }
}

TEST_F(ColdShotTest, APatchGrowsWithHitsLivesAMinuteFadesAndNeverCastsAShadow) {
    ColdObject* patch = LayIcePatch(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    patch->drawParams->castShadow = 1;
    Frame(20);
    EXPECT_NEAR(patch->size, 0.51f, 1e-4f);
    EXPECT_EQ(patch->drawParams->castShadow, 0);
    Frame(10);
    EXPECT_NEAR(patch->size, 0.51f, 1e-4f) << "shots alone grow it further";
    ColdObject marker;
    patch->OnHit(&marker);
    patch->OnHit(&marker);
    EXPECT_NEAR(patch->size, 0.55f, 1e-4f);
    EXPECT_EQ(patch->age, 0);
    patch->OnHit(nullptr);
    CSimpleObject notCold;
    patch->OnHit(&notCold);
    EXPECT_EQ(patch->age, 0);
    for (int i = 0; i < 20; ++i) patch->OnHit(&marker);
    Frame();
    EXPECT_FLOAT_EQ(patch->size, 0.75f);

    // Never into the shadow map, whatever its flags were.
    HeadlessDevice* device = HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice());
    device->StartRecording();
    patch->DrawShadow();
    EXPECT_TRUE(device->Calls().empty());

    Frame(3599);
    EXPECT_FLOAT_EQ(patch->drawParams->alpha, 1.0f);
    Frame();
    EXPECT_LT(patch->drawParams->alpha, 1.0f);
    int frames = 1;
    while (CountKind(KIND_COLD) && frames < 400) {
        Frame();
        ++frames;
    }
    EXPECT_NEAR(frames, 200, 2) << "fades over 200 frames, then leaves the list";
}

TEST_F(ColdShotTest, ALauncherSweepsFiresTenShotsInAHundredFramesAndSwitchesItselfOff) {
    PlaceFloor();
    // High above the floor, aimed down at it and swept across.
    CLauncher* launcher = Place<CLauncher>(
        {"Pos(0,5,0)", "Angle(60,-40,0)", "ChangeAngle(60,40,0)", "Time(100)", "Launch(COLD)"});
    EXPECT_EQ(launcher->state, 0);
    EXPECT_EQ(launcher->drawParams->castShadow, 0);
    Frame(5);
    EXPECT_EQ(CountKind(KIND_COLD), 0) << "off until switched on";
    launcher->state = 1;
    std::vector<int> shots;
    for (int update = 1; update <= 101; ++update) {
        const int before = Plays(5);
        Frame();
        if (Plays(5) != before) shots.push_back(update);
        if (update == 100) {
            EXPECT_EQ(launcher->state, 1);
            EXPECT_NEAR(launcher->angle.y, 40.0f, 1e-3f) << "at its target";
        }
    }
    EXPECT_EQ(shots, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(launcher->state, 0);
    EXPECT_FLOAT_EQ(launcher->elapsed, 100.0f);
    EXPECT_NEAR(launcher->angle.y, 40.0f + 0.8f, 1e-3f) << "the update that switches it off turns a step on";
    // Shots landing on a patch grow it: fewer patches than shots, but a line of them.
    EXPECT_GE(CountKind(KIND_COLD), 3);

    // Re-armed after its sweep it turns one step and switches off again, without a shot.
    const float yaw = launcher->angle.y;
    launcher->state = 1;
    Frame();
    EXPECT_EQ(launcher->state, 0);
    EXPECT_NEAR(launcher->angle.y - yaw, 0.8f, 1e-3f);
    EXPECT_EQ(Plays(5), 10);
}

TEST_F(ColdShotTest, ALauncherHittingABoxIsSilentAndMalformedLaunchersStayOff) {
    PlaceFloor();
    Place<CSimpleObject>({"Pos(0,0,4)", "Mesh(data/xfile/Object/Crate.x)"});
    CLauncher* atBox = Place<CLauncher>({"Pos(0,0.5,0)", "Angle(0,0,0)", "ChangeAngle(0,0,0)", "Time(30)"});
    atBox->state = 1;
    Frame(30);
    EXPECT_EQ(Plays(5), 0);
    EXPECT_EQ(CountKind(KIND_COLD), 0);

    for (const char* bad : {"Angle(10,20)", "Angle(x,0,0)", "ChangeAngle(0,1e99,0)", "ChangeAngle()", "Time(0)",
                            "Time(abc)", "Time(-5)", "Time(1e99)"}) {
        std::vector<std::string> items = {"Pos(0,5,0)", "Angle(60,0,0)", "ChangeAngle(60,30,0)", "Time(50)"};
        items.push_back(bad);
        CLauncher* launcher = Place<CLauncher>(items);
        launcher->state = 1;
        Frame(60);
        EXPECT_EQ(launcher->state, 0) << bad;
        EXPECT_EQ(launcher->elapsed, 0.0f) << bad;
        EXPECT_EQ(CountKind(KIND_COLD), 0) << bad;
    }
    // A record without any time never sweeps either.
    CLauncher* timeless = Place<CLauncher>({"Pos(0,5,0)", "Angle(60,0,0)", "ChangeAngle(60,30,0)"});
    timeless->state = 1;
    Frame(20);
    EXPECT_EQ(timeless->state, 0);
    EXPECT_EQ(CountKind(KIND_COLD), 0);
}

// Leaning on a wood box, a stone box or a statue, fire freezes it: no patch laid, no cold on the box behind.
TEST_F(ColdShotTest, FireWhileLeaningOnABoxOrAStatueFreezesItAndNothingBehind) {
    const std::string wood = "Mesh(data/xfile/Object/WoodBox.x)";
    auto leanAndFire = [&](auto* leaned) {
        CWoodBox* behind = Place<CWoodBox>({"Pos(0,0,6)", wood});
        PlacePlayer({0, 0, 1});
        input.held = {'W'};
        Frame(20);  // against it, not yet long enough to push
        input.held = {VK_LBUTTON};
        Frame(240);
        EXPECT_TRUE(leaned->freezeAmount >= 70 && behind->freezeAmount == 0 && CountKind(KIND_COLD) == 0) << leaned->ClassName();
        ClearObjects(), Player::ResetShared(), PlaceFloor();
    };
    PlaceFloor();
    leanAndFire(Place<CWoodBox>({"Pos(0,0,3)", wood}));
    leanAndFire(Place<CStoneBox>({"Pos(0,0,3)", "Mesh(data/xfile/Object/StoneBox.x)"}));
    leanAndFire(Place<CStoneStatue>({"Pos(0,0,3)", "ColMesh(data/xfile/Statue/Statue_Eagle_Col.x)", "Dir(1)"}));
}

}  // namespace
