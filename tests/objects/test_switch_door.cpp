// Switches and doors: the press depth and its two modes, the click once per arrival, the doors' five
// movements with their limits in their own turned frame, the move and stop sounds, the links by
// "Parent", shoving players, and how both draw.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/CDoor.h"
#include "objects/CSwitch.h"
#include "objects/ColdObject.h"
#include "objects/ColdShot.h"
#include "tests/support/PuzzleWorld.h"

namespace {

using SwitchDoorTest = PuzzleWorldTest;

// A box resting on a switch: it presses it from its own update, as the ice boxes do.
class RestingBox : public CSimpleObject {
public:
    void Update() override {
        if (on) on->OnHit(this);
    }
    CharacterBase* on = nullptr;
};

D3DXVECTOR3 Offset(const CDoor& door) { return door.Position() - D3DXVECTOR3(door.home._41, door.home._42, door.home._43); }

TEST_F(SwitchDoorTest, ABoxKeepsASpringSwitchDownAndLiftingItSendsTheLinkedDoorBack) {
    RestingBox* box = Place<RestingBox>({"Pos(0,0,0)"});
    CSwitch* plate = Place<CSwitch>({"Pos(0,1,0)", "State(0)"});
    CDoor* door = Place<CDoor>({"Pos(4,0,0)", "State(RIGHT)", "Parent(0)"});
    ASSERT_EQ(door->parent, plate);
    box->on = plate;

    int fullAt = 0;
    for (int frame = 1; frame <= 300; ++frame) {
        Frame();
        if (frame == 1) {
            EXPECT_FLOAT_EQ(plate->depth, CSwitch::kSinkStep);
            EXPECT_FLOAT_EQ(plate->world->_42, 1.0f - CSwitch::kSinkStep);
        }
        if (!fullAt && plate->fullyPressed) {
            fullAt = frame;
            EXPECT_EQ(door->open, 1) << "the door reads the flag in the same frame";
        }
    }
    EXPECT_NEAR(fullAt, 61, 1);
    EXPECT_EQ(plate->fullyPressed, 1);
    EXPECT_FLOAT_EQ(plate->depth, CSwitch::kFullDepth);
    EXPECT_EQ(Plays(CSwitch::kFullSound), 1) << "once per arrival at the bottom";
    EXPECT_FLOAT_EQ(Offset(*door).x, CDoor::kSlideRange);
    EXPECT_EQ(Plays(CDoor::kStopSound), 1);
    EXPECT_EQ(door->moving, 0);

    // Lifted: the plate rises on its next update and the door starts back in the same frame.
    box->on = nullptr;
    const int movesBefore = Plays(CDoor::kMoveSound);
    Frame();
    EXPECT_EQ(plate->fullyPressed, 0);
    EXPECT_NEAR(plate->depth, CSwitch::kFullDepth - CSwitch::kRiseStep, 1e-6f);
    EXPECT_LT(Offset(*door).x, CDoor::kSlideRange);
    EXPECT_EQ(door->moving, 1);
    EXPECT_EQ(Plays(CDoor::kMoveSound), movesBefore + 1);
    Frame(200);
    EXPECT_EQ(plate->depth, 0.0f);
    EXPECT_EQ(door->Position(), D3DXVECTOR3(4, 0, 0));
    EXPECT_EQ(Plays(CDoor::kStopSound), 2) << "and once more on arriving home";

    // Pressed again: the click plays again on the new arrival.
    box->on = plate;
    Frame(70);
    EXPECT_EQ(Plays(CSwitch::kFullSound), 2);
}

TEST_F(SwitchDoorTest, ALatchingSwitchStaysDownAfterOneTouchAndOnlyThePlayerAndBoxesPressIt) {
    CSwitch* latch = Place<CSwitch>({"Pos(0,0,0)", "State(1)"});
    CSwitch* spring = Place<CSwitch>({"Pos(2,0,0)"});
    for (const int kind : {KIND_COLD, KIND_GOAL, KIND_STATUE, KIND_DOOR}) {
        Toucher other(kind);
        latch->OnHit(&other);
        spring->OnHit(&other);
    }
    latch->OnHit(nullptr);
    EXPECT_EQ(latch->pressed, 0);
    EXPECT_EQ(spring->pressed, 0);

    Toucher player(KIND_PLAYER);
    latch->OnHit(&player);
    spring->OnHit(&player);
    Frame();
    EXPECT_EQ(latch->pressed, 1);
    EXPECT_EQ(spring->pressed, 0) << "a spring switch forgets the touch after its update";
    Frame(500);
    EXPECT_EQ(latch->fullyPressed, 1);
    EXPECT_FLOAT_EQ(latch->depth, CSwitch::kFullDepth);
    EXPECT_EQ(spring->depth, 0.0f);
    EXPECT_EQ(Plays(CSwitch::kFullSound), 1);
}

TEST_F(SwitchDoorTest, SettingTheTransformMovesTheHomeTooAndTheDumpTellsDepthAndFlag) {
    CSwitch* plate = Place<CSwitch>({"Pos(0,0,0)", "State(1)"});
    D3DXMATRIX moved;
    D3DXMatrixTranslation(&moved, 5, 2, -1);
    plate->SetTransMatrix(moved);
    EXPECT_EQ(plate->home, moved);
    Toucher box(KIND_BOX);
    plate->OnHit(&box);
    Frame(100);
    EXPECT_EQ(plate->Position(), D3DXVECTOR3(5, 2 - CSwitch::kFullDepth, -1));
    EXPECT_EQ(FieldLog(*plate).values, (std::map<std::string, float>{{"depth", CSwitch::kFullDepth}, {"fullyPressed", 1}}));

    CDoor* door = Place<CDoor>({"State(UP)"});
    door->open = 1;
    Frame();
    EXPECT_EQ(FieldLog(*door).values, (std::map<std::string, float>{{"open", 1}, {"moving", 1}}));
}

TEST_F(SwitchDoorTest, EachMovementKeepsToItsLimitsInTheDoorsOwnTurnedFrame) {
    struct Case {
        const char* motion;
        const char* angle;
        D3DXVECTOR3 openOffset;  // where it rests after opening, from home
        bool returns;            // back home when closed
    };
    const Case cases[] = {
        {"RIGHT", "0,0,0", {2, 0, 0}, true},
        {"RIGHT", "0,90,0", {0, 0, -2}, true},
        {"RIGHT", "0,180,0", {-2, 0, 0}, true},
        {"LEFT", "0,0,0", {-2, 0, 0}, true},
        {"LEFT", "0,90,0", {0, 0, 2}, true},
        {"UP", "0,0,0", {0, 4.75f, 0}, true},
        {"UP", "0,90,0", {0, 4.75f, 0}, true},
        {"Motionless", "0,0,0", {0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.motion) + " turned " + c.angle);
        ClearObjects();
        SoundManager::GetInstance().ClearRequests();
        CDoor* door = Place<CDoor>({"Pos(3,1,4)", std::string("Angle(") + c.angle + ")", std::string("State(") + c.motion + ")"});
        // Closed and without a switch it stays home.
        Frame(50);
        EXPECT_EQ(door->Position(), D3DXVECTOR3(3, 1, 4));
        EXPECT_EQ(Plays(CDoor::kMoveSound), 0);

        // Opened from outside: it travels within its limits, every step inside them, and stays.
        door->open = 1;
        for (int frame = 0; frame < 400; ++frame) {
            Frame();
            const D3DXVECTOR3 o = Offset(*door);
            for (float v : {o.x, o.y, o.z}) {
                EXPECT_LE(std::fabs(v), 4.75f + 1e-4f);
            }
            if (c.openOffset.z < 0) {
                EXPECT_LE(o.z, 0.0f);
                EXPECT_GE(o.z, -2.0f);
                EXPECT_EQ(o.x, 0.0f) << "no drift off its line";
            }
        }
        const D3DXVECTOR3 o = Offset(*door);
        EXPECT_NEAR(o.x, c.openOffset.x, 1e-4f);
        EXPECT_NEAR(o.y, c.openOffset.y, 1e-4f);
        EXPECT_NEAR(o.z, c.openOffset.z, 1e-4f);
        const bool moves = std::string(c.motion) != "Motionless";
        EXPECT_EQ(Plays(CDoor::kStopSound), moves ? 1 : 0);
        EXPECT_EQ(door->world->_41, door->transMat._41);
        EXPECT_EQ(door->world->_43, door->transMat._43);

        door->open = 0;
        Frame(400);
        EXPECT_NEAR(Offset(*door).x, 0.0f, 1e-5f);
        EXPECT_NEAR(Offset(*door).y, 0.0f, 1e-5f);
        EXPECT_NEAR(Offset(*door).z, 0.0f, 1e-5f);
        EXPECT_EQ(door->fallSpeed, 0.0f);
        EXPECT_EQ(Plays(CDoor::kStopSound), moves ? 2 : 0);
    }
}

TEST_F(SwitchDoorTest, AClosingUpDoorFallsFasterEachFrame) {
    CDoor* door = Place<CDoor>({"Pos(0,0,0)", "State(UP)"});
    door->open = 1;
    Frame(300);
    door->open = 0;
    Frame();
    EXPECT_FLOAT_EQ(door->Position().y, 4.75f - 0.001f);
    Frame();
    EXPECT_FLOAT_EQ(door->Position().y, 4.75f - 0.003f);
    EXPECT_FLOAT_EQ(door->fallSpeed, 0.002f);
}

TEST_F(SwitchDoorTest, ABackAndUpDoorBacksHalfAUnitThenRisesWithoutLimitOrSoundAndStaysWhenClosed) {
    CDoor* door = Place<CDoor>({"Pos(0,0,0)", "Angle(0,90,0)", "State(BACK&UP)"});
    door->open = 1;
    Frame(30);
    // Backs along its own z, which the turn makes world x.
    EXPECT_GE(door->Position().x, 0.5f - 1e-4f);
    EXPECT_LE(door->Position().x, 0.52f + 1e-4f);
    EXPECT_GT(door->Position().y, 0.0f);
    Frame(500);
    EXPECT_GT(door->Position().y, 9.0f);
    EXPECT_EQ(Plays(CDoor::kMoveSound), 0);
    EXPECT_EQ(Plays(CDoor::kStopSound), 0);
    const D3DXVECTOR3 stopped = door->Position();
    door->open = 0;
    Frame(50);
    EXPECT_EQ(door->Position(), stopped);
}

TEST_F(SwitchDoorTest, ParentCountsOnlySwitchesPlacedEarlierAndABadIndexLinksNothing) {
    CDoor* beforeAny = Place<CDoor>({"Pos(0,0,0)", "State(RIGHT)", "Parent(0)"});
    CSwitch* first = Place<CSwitch>({"Pos(0,0,0)", "State(1)"});
    CSwitch* second = Place<CSwitch>({"Pos(1,0,0)", "State(1)"});
    CDoor* toFirst = Place<CDoor>({"State(RIGHT)", "Parent(0)"});
    CDoor* toSecond = Place<CDoor>({"State(RIGHT)", "Parent(1)"});
    EXPECT_EQ(beforeAny->parent, nullptr) << "a switch placed after the door is not counted";
    EXPECT_EQ(toFirst->parent, first);
    EXPECT_EQ(toSecond->parent, second);
    for (const char* index : {"2", "99", "-1", "abc", ""}) {
        CDoor* unlinked = Place<CDoor>({"Pos(0,0,9)", "State(LEFT)", std::string("Parent(") + index + ")"});
        EXPECT_EQ(unlinked->parent, nullptr) << index;
    }
    CDoor* none = Place<CDoor>({"Pos(0,0,7)", "State(UP)", "Parent(NULL)"});
    EXPECT_EQ(none->parent, nullptr);
    EXPECT_EQ(none->open, 0);
    // Unknown movement words leave the kind as it was.
    CDoor* odd = Place<CDoor>({"State(right)", "State(SIDEWAYS)"});
    EXPECT_EQ(odd->state, DOOR_MOTIONLESS);

    Toucher box(KIND_BOX);
    second->OnHit(&box);
    Frame(200);
    EXPECT_EQ(toSecond->open, 1);
    EXPECT_EQ(toFirst->open, 0);
    EXPECT_EQ(beforeAny->Position(), D3DXVECTOR3(0, 0, 0)) << "unlinked doors stay as they are";
    EXPECT_EQ(none->Position(), D3DXVECTOR3(0, 0, 7));
    EXPECT_EQ(toFirst->Position(), D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(toSecond->Position(), D3DXVECTOR3(2, 0, 0));
}

TEST_F(SwitchDoorTest, SlidingAndLiftingDoorsShovePlayersWithinOneUnitStraightAway) {
    for (const char* motion : {"RIGHT", "LEFT", "UP", "BACK&UP", "Motionless"}) {
        ClearObjects();
        CDoor* door = Place<CDoor>({"Pos(0,0,0)", std::string("State(") + motion + ")"});
        Toucher* near = PlaceToucher(KIND_PLAYER, {0, 0, 0.6f});
        Toucher* far = PlaceToucher(KIND_PLAYER, {0, 0, -1.5f});
        door->Update();
        const bool shoves = std::string(motion) == "RIGHT" || std::string(motion) == "LEFT" || std::string(motion) == "UP";
        EXPECT_FLOAT_EQ(near->Position().z, shoves ? 1.6f : 0.6f) << motion;
        EXPECT_FLOAT_EQ(near->world->_43, near->Position().z) << motion;
        EXPECT_FLOAT_EQ(far->Position().z, -1.5f) << motion;
    }
}

TEST_F(SwitchDoorTest, DoorsCastNoShadowAndDrawOpaqueOrWithoutDepthWritesByTheirAlpha) {
    CDoor* door = Place<CDoor>({"Pos(0,0,0)", kCrate, "Shadow(1)"});
    EXPECT_EQ(door->drawParams->castShadow, 0);
    EXPECT_TRUE(Record([&] { door->DrawShadow(); }).empty());

    std::vector<std::string> calls = Record([&] { door->Draw(); });
    EXPECT_GT(Count(calls, "DrawSubset("), 0);
    EXPECT_TRUE(Record([&] { door->DrawAlpha(); }).empty());

    door->drawParams->alpha = 0.5f;
    EXPECT_TRUE(Record([&] { door->Draw(); }).empty());
    calls = Record([&] { door->DrawAlpha(); });
    const std::string off = "SetRenderState(" + std::to_string(D3DRS_ZWRITEENABLE) + ", 0)";
    const std::string on = "SetRenderState(" + std::to_string(D3DRS_ZWRITEENABLE) + ", 1)";
    const long depthOff = IndexOf(calls, off), draw = IndexOf(calls, "DrawSubset("), depthOn = IndexOf(calls, on);
    ASSERT_GE(depthOff, 0) << ::testing::PrintToString(calls);
    EXPECT_LT(depthOff, draw);
    EXPECT_LT(draw, depthOn);
}

TEST_F(SwitchDoorTest, TheSwitchDrawsItsPlateWhereItIsAndItsBaseWhereItWasPlaced) {
    CSwitch* plate = Place<CSwitch>({"Pos(1,2,3)", "State(1)", kCrate, std::string("BaseMesh(") + kBarrel + ")"});
    ASSERT_NE(plate->baseMesh, nullptr);
    Toucher box(KIND_BOX);
    plate->OnHit(&box);
    Frame(100);
    const std::vector<std::string> calls = Record([&] { plate->Draw(); });
    EXPECT_EQ(Count(calls, "MyShader.BeginPass:" + std::to_string(MyShader::kToonPassUnclipped)), 2);
    D3DXMATRIX expected;
    D3DXMatrixTranslation(&expected, 1, 2, 3);
    EXPECT_EQ(ToonWorld(), expected) << "the base, last, at home";
    EXPECT_FLOAT_EQ(plate->world->_42, 2.0f - CSwitch::kFullDepth);

    // Into the shadow map: the plate by its flag, the base always.
    const std::vector<std::string> shadow = Record([&] { plate->DrawShadow(); });
    EXPECT_EQ(Count(shadow, "ShadowMap.BeginPass"), 2) << ::testing::PrintToString(shadow);
    plate->drawParams->castShadow = 0;
    EXPECT_EQ(Count(Record([&] { plate->DrawShadow(); }), "ShadowMap.BeginPass"), 1);
}

TEST_F(SwitchDoorTest, ThePlayerWalkingOntoAPlatePressesItAndItsDoorOpens) {
    PlaceFloor();
    CSwitch* plate = Place<CSwitch>({"Pos(0,0,3)", "Mesh(" + WriteBlocks("Plate", {{{0, 0.25f, 0}, {1, 0.25f, 1}}}) + ")"});
    CDoor* door = Place<CDoor>({"Pos(6,0,0)", "State(UP)", "Parent(0)"});
    Player* player = PlacePlayer({0, 0, 0});
    input.held = {'W'};
    for (int i = 0; i < 200 && player->Position().z < 3.0f; ++i) Frame();
    input.held.clear();
    EXPECT_GT(plate->depth, 0.0f);
    Frame(80);
    EXPECT_EQ(plate->fullyPressed, 1);
    EXPECT_NEAR(player->Position().y, 0.5f - CSwitch::kFullDepth + 0.01f, 0.02f) << "standing on the sunken plate";
    EXPECT_EQ(door->open, 1);
    EXPECT_GT(door->Position().y, 0.0f);
}

// A patch shot onto a closed door melts in the door's first frame of opening; the floor's stays.
TEST_F(SwitchDoorTest, APatchOnADoorMeltsTheMomentTheDoorMoves) {
    PlaceFloor();
    RestingBox* box = Place<RestingBox>({"Pos(8,0,8)"});
    CSwitch* plate = Place<CSwitch>({"Pos(8,0,8)", "State(0)"});
    CDoor* door = Place<CDoor>({"Pos(0,0,0)", "Mesh(data/xfile/Object/Door.x)", "State(UP)", "Parent(0)"});
    RayProbe probe = ColdShotProbe(ProbeRange::Everywhere, 0.0f);
    ProbeHit hit;
    for (const D3DXVECTOR3& aim : {D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, -1, 0.2f)})
        EXPECT_TRUE(probe.CastNearest(D3DXVECTOR3(0, 1, -3), aim, hit) && StrikeCold(hit) == ColdStrike::LaidPatch);
    Frame(30);
    EXPECT_EQ(CountKind(KIND_COLD), 2);
    box->on = plate;
    for (int frame = 0; frame < 200 && Offset(*door).y == 0.0f; ++frame) Frame();
    EXPECT_TRUE(Offset(*door).y > 0.0f && CountKind(KIND_COLD) == 1);
}

}  // namespace
