// Wood and stone boxes: freezing by cold hits, pushing (by the player and by hand), sliding on ice,
// bursting at a wall and re-forming at home, resting on what lies under them.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/CSimpleObject.h"
#include "objects/CStoneBox.h"
#include "objects/CSwitch.h"
#include "objects/CWoodBox.h"
#include "objects/ColdObject.h"
#include "objects/ColdShot.h"
#include "tests/support/StageWorld.h"

namespace {

class IceBoxTest : public StageWorldTest {
protected:
    template <typename Box>
    Box* PlaceBox(const std::string& pos) {
        return Place<Box>({"Pos(" + pos + ")", "Mesh(data/xfile/Object/Crate.x)"});
    }
    static void ColdHits(CIceBox& box, int count) {
        ColdObject marker;
        for (int i = 0; i < count; ++i) box.OnHit(&marker);
    }
};

TEST_F(IceBoxTest, ColdHitsRaiseTheFreezeLevelStoneFreezesThroughAt70WoodAt100) {
    PlaceFloor();
    CWoodBox* wood = PlaceBox<CWoodBox>("-3,0,0");
    CStoneBox* stone = PlaceBox<CStoneBox>("3,0,0");
    Frame();
    ColdHits(*wood, 4);
    Frame();
    EXPECT_EQ(wood->freezeAmount, 20);
    EXPECT_FLOAT_EQ(wood->levelParams[0].alpha, 1.0f);
    EXPECT_EQ(wood->FreezeLevel(), 0);
    ColdHits(*wood, 1);
    Frame();
    EXPECT_EQ(wood->FreezeLevel(), 1);
    EXPECT_NEAR(wood->levelParams[1].alpha, 1.0f / 6.0f, 1e-5f);
    struct Step {
        int hits;
        int woodLevel, stoneLevel;
    };
    // Totals after each step: 50, 70, 95, 100, 150 (held at 100).
    ColdHits(*stone, 5);
    for (const Step& s : {Step{5, 2, 2}, Step{4, 2, 3}, Step{5, 2, 3}, Step{1, 3, 3}, Step{10, 3, 3}}) {
        ColdHits(*wood, s.hits);
        ColdHits(*stone, s.hits);
        Frame();
        EXPECT_EQ(wood->FreezeLevel(), s.woodLevel) << wood->freezeAmount;
        EXPECT_EQ(stone->FreezeLevel(), s.stoneLevel) << stone->freezeAmount;
        for (const DrawParams& p : wood->levelParams) EXPECT_LE(p.alpha, 1.0f);
    }
    EXPECT_EQ(wood->freezeAmount, 100);
    EXPECT_FLOAT_EQ(wood->levelParams[2].alpha, 1.0f);
    EXPECT_EQ(stone->FreezeLevel(), 3);
}

TEST_F(IceBoxTest, PushesGoAlongTheMainAxisAndAStoneBoxMovesOnlyFrozenOrOnIce) {
    PlaceFloor();
    CWoodBox* wood = PlaceBox<CWoodBox>("0,0,0");
    CStoneBox* stone = PlaceBox<CStoneBox>("6,0,0");
    Player* pusher = PlacePlayer({-6, 0, -6});
    Frame();
    // Facing exactly between +x and +z: the push goes along z.
    D3DXMatrixRotationY(&pusher->rotMat, D3DX_PI / 4);
    const D3DXVECTOR3 woodBefore = wood->Position(), stoneBefore = stone->Position();
    for (int i = 0; i < 10; ++i) {
        wood->OnHit(pusher);
        stone->OnHit(pusher);
        Frame();
    }
    EXPECT_FLOAT_EQ(wood->Position().x, woodBefore.x);
    EXPECT_NEAR(wood->Position().z - woodBefore.z, 10 * 0.03f * std::sqrt(0.5f), 1e-4f);
    EXPECT_EQ(Plays(12), 10);
    EXPECT_EQ(stone->Position(), stoneBefore) << "neither frozen through nor on ice";

    ColdHits(*stone, 14);
    Frame();
    ASSERT_EQ(stone->FreezeLevel(), 3);
    stone->OnHit(pusher);
    EXPECT_GT(stone->Position().z, stoneBefore.z);
    EXPECT_EQ(Plays(12), 11);
}

TEST_F(IceBoxTest, ABoxOnIceSlidesBurstsAtAWallFadesAndReformsAtHome) {
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{3.25f, 1, 0}, {0.25f, 1, 5}}});
    LayIcePatch({0, 0, 0}, {0, 1, 0});
    LayIcePatch({1.2f, 0, 0}, {0, 1, 0});
    LayIcePatch({2.4f, 0, 0}, {0, 1, 0});  // the ground probe looks 0.75 ahead: ice up to the wall
    CWoodBox* box = PlaceBox<CWoodBox>("0,0,0");
    Frame(25);  // the patches grow
    EXPECT_EQ(box->groundKind, KIND_COLD);
    EXPECT_EQ(box->FreezeLevel(), 0);
    box->move = D3DXVECTOR3(1, 0, 0);
    int burstAt = 0;
    for (int frame = 1; frame <= 60 && !burstAt; ++frame) {
        Frame();
        if (box->breaking) burstAt = frame;
    }
    ASSERT_GT(burstAt, 0) << "slid into the wall at x = 3";
    EXPECT_NEAR(box->Position().x, 3.0f - 0.8f - 0.5f, 1e-3f) << "0.8 from the wall, from half a unit ahead";
    EXPECT_EQ(Plays(13), 1);
    EXPECT_GT(Plays(4), 0) << "slide sound";
    for (const BreakPiece& piece : box->pieces) EXPECT_EQ(piece.alpha, 255);
    const float pieceX = box->pieces[0].position.x;
    Frame();
    EXPECT_NEAR(box->pieces[0].position.x - pieceX, 0.025f, 1e-5f);
    EXPECT_LT(box->drawParams->alpha, 1.0f);
    EXPECT_EQ(box->drawParams->edge, 0);
    int frames = 1;
    while (box->breaking && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(1 + frames, 67) << "0.015 a frame from 1, counting the update that burst it";
    EXPECT_FLOAT_EQ(box->Position().x, 0.0f);
    EXPECT_EQ(box->freezeAmount, 0);
    EXPECT_FLOAT_EQ(box->drawParams->alpha, 1.0f);
    EXPECT_EQ(Plays(13), 1);
}

TEST_F(IceBoxTest, ABoxRestsOnWhatLiesBelowAndThePlayerPushesItAfterLeaningIn) {
    PlaceFloor();
    Place<CSimpleObject>({"Pos(4,0,0)", "Mesh(data/xfile/Object/Crate.x)"});
    CStoneBox* onTop = PlaceBox<CStoneBox>("4,3,0");
    CWoodBox* box = PlaceBox<CWoodBox>("0,0,3");
    Player* player = PlacePlayer({0, 0, 0});
    input.held = {'W'};
    float startZ = 0;
    for (int frame = 1; frame <= 80; ++frame) {
        Frame();
        if (frame == 20) startZ = box->Position().z;
    }
    // The crate's planks end at 0.96 under the middle, its rim at 1.01 under the corners: the stone box
    // falls onto the rim and rests 0.05 above it.
    EXPECT_NEAR(onTop->Position().y, 1.01f + 0.05f, 1e-3f);
    EXPECT_EQ(onTop->groundKind, KIND_BOX);
    EXPECT_EQ(player->pushReady, 1);
    EXPECT_GT(box->Position().z, startZ + 0.5f) << "pushed along once ready";
    EXPECT_NEAR(box->Position().x, 0.0f, 1e-4f);
}

TEST_F(IceBoxTest, PushedAtAWallForLongABoxStaysOutAndNoOtherBoxGlidesWithAFrozenOne) {
    // A wall whose face lies at z = 5.5; a wood box frozen through stands well aside.
    PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}, {{0, 2, 6}, {8, 2, 0.5f}}});
    CWoodBox* frozen = PlaceBox<CWoodBox>("8,0,0");
    CWoodBox* box = PlaceBox<CWoodBox>("0,0,2");
    Player* player = PlacePlayer({0, 0, 0});
    ColdHits(*frozen, 20);
    input.held = {'W'};
    for (int frame = 1; frame <= 300; ++frame) {
        Frame();
        ASSERT_LE(box->Position().z + 0.5f, 5.5f - 0.8f + 1e-3f) << frame;
    }
    ASSERT_EQ(frozen->FreezeLevel(), 3);
    // Pushed all the way: it stops within one push step (0.03) of its clearance.
    EXPECT_NEAR(box->Position().z, 5.5f - 1.3f - 0.015f, 0.015f + 1e-4f);
    EXPECT_LT(player->Position().z, box->Position().z - 0.9f) << "the player stays out of the box";
    input.held = {};
    const D3DXVECTOR3 rest = box->Position();
    Frame(60);
    EXPECT_EQ(box->Position(), rest) << "it does not glide on";
    EXPECT_EQ(frozen->Position().x, 8.0f);
}

TEST_F(IceBoxTest, ABoxOverTheHoleOfASinkingPlateRestsOnItsRimAndStillHoldsThePlateDown) {
    // A plate over a hole 1 across, 0.5 deep, at z = 5; boxes set down on it off its middle and on it.
    const std::vector<Block> floor = {{{0, -0.5f, -5}, {10, 0.5f, 9.5f}},   {{0, -0.5f, 15}, {10, 0.5f, 9.5f}},
                                      {{-5.5f, -0.5f, 5}, {5, 0.5f, 0.5f}}, {{5.5f, -0.5f, 5}, {5, 0.5f, 0.5f}},
                                      {{0, -0.75f, 5}, {0.5f, 0.25f, 0.5f}}};
    for (const float offset : {0.3f, 0.0f}) {
        ClearObjects();
        PlaceMap(floor);
        auto* plate = Place<CSwitch>({"Pos(0,0,5)", "Mesh(data/xfile/Object/SwitchPlate.x)", "State(0)"});
        CWoodBox* box = PlaceBox<CWoodBox>("0,1," + std::to_string(5 + offset));
        Frame(150);
        EXPECT_EQ(plate->fullyPressed, 1) << offset;
        if (offset != 0.0f) {
            EXPECT_NEAR(box->Position().y, 0.05f, 1e-3f) << "on the rim, not sunk into the floor beside the hole";
        } else {
            EXPECT_LT(box->Position().y, 0.0f) << "down into the hole with the plate";
        }
        EXPECT_FALSE(box->breaking) << offset;
    }
}

TEST_F(IceBoxTest, ABoxPushedOverALedgeCrumblesThereAndReformsOnceItsHomeIsClear) {
    // The floor drops by 1.2 beyond z = 5.
    PlaceMap({{{0, -0.5f, -5}, {30, 0.5f, 10}}, {{0, -1.7f, 20}, {30, 0.5f, 15}}});
    CWoodBox* box = PlaceBox<CWoodBox>("0,0,2");
    Player* player = PlacePlayer({0, 0, 0});
    input.held = {'W'};
    int crumbled = 0;
    for (int frame = 1; frame <= 400 && !crumbled; ++frame) {
        Frame();
        if (box->breaking) crumbled = frame;
        ASSERT_GT(box->Position().y, -0.01f) << "never down on the lower floor";
    }
    ASSERT_GT(crumbled, 0);
    EXPECT_LT(box->Position().z, 5.0f) << "at the brink";
    EXPECT_EQ(Plays(13), 1);
    // Someone stands where it re-forms: it waits unseen.
    input.held = {};
    player->MoveTo({0.3f, 0, 2.2f});
    Frame(120);
    EXPECT_TRUE(box->breaking);
    player->MoveTo({0, 0, -4});
    Frame(2);
    EXPECT_FALSE(box->breaking);
    EXPECT_FLOAT_EQ(box->Position().z, 2.0f);
}

}  // namespace
