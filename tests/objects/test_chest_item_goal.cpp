// Chests, items and goals: only the player opens, takes or reaches them; a chest's two meshes; an
// item's spin and cyan outline, and the gun it gives; a goal's fade, the player and camera turned
// while it darkens, the scene and stage asked for by its exit kind, and the save its stage exit writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Application.h"
#include "app/SceneId.h"
#include "graphics/Camera.h"
#include "graphics/SkinnedMesh.h"
#include "objects/CChest.h"
#include "objects/CGoal.h"
#include "objects/CItem.h"
#include "objects/ColdObject.h"
#include "tests/support/PuzzleWorld.h"

namespace {

class ChestItemGoalTest : public PuzzleWorldTest {
protected:
    void SetUp() override {
        PuzzleWorldTest::SetUp();
        Application& app = Application::GetInstance();
        keptScene = app.nextScene;
        keptStage = app.stageSelect;
        keptCamera = app.camera;
    }
    void TearDown() override {
        // Some tests work in the scratch folder, where the goal's save lands.
        std::filesystem::current_path(VELDORIN_GAME_DIR);
        Application& app = Application::GetInstance();
        app.nextScene = keptScene;
        app.stageSelect = keptStage;
        app.camera = keptCamera;
        Fade::GetInstance().mode = 0;
        Fade::GetInstance().Update();
        PuzzleWorldTest::TearDown();
    }
    // Steps frames until the goal has asked for a scene, or the limit.
    int FramesUntilBlack(int limit = 200) {
        int frames = 0;
        while (Application::GetInstance().nextScene == SCENE_NONE && frames < limit) {
            Frame();
            ++frames;
        }
        return frames;
    }
    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    int keptScene = 0, keptStage = 0;
    Camera* keptCamera = nullptr;
};

TEST_F(ChestItemGoalTest, OnlyThePlayerOpensAChestWithItsTwoSoundsEveryTime) {
    CChest* chest = Place<CChest>({kCrate, std::string("OpMesh(") + kBarrel + ")"});
    ASSERT_NE(chest->openMesh, nullptr);
    ColdObject cold;
    chest->OnHit(&cold);
    for (const int kind : {KIND_BOX, KIND_GOAL, KIND_STATUE, KIND_ITEM, KIND_LAUNCHER}) {
        Toucher other(kind);
        chest->OnHit(&other);
    }
    chest->OnHit(nullptr);
    EXPECT_EQ(chest->state, 0);
    EXPECT_EQ(Plays(CChest::kOpenSound) + Plays(CChest::kTreasureSound), 0);

    Toucher player(KIND_PLAYER);
    chest->OnHit(&player);
    EXPECT_EQ(chest->state, 1);
    EXPECT_EQ(Plays(CChest::kOpenSound), 1);
    EXPECT_EQ(Plays(CChest::kTreasureSound), 1);
    EXPECT_EQ(SoundManager::GetInstance().Requested(CChest::kTreasureSound).volume, SoundManager::kEffectVolume);
    chest->OnHit(&player);
    EXPECT_EQ(Plays(CChest::kOpenSound), 2) << "an open chest plays them again";
    EXPECT_EQ(Plays(CChest::kTreasureSound), 2);
}

TEST_F(ChestItemGoalTest, AChestDrawsItsClosedMeshThenItsOpenMeshAndNothingOpenWithoutOne) {
    CChest* withOpen = Place<CChest>({"Pos(1,0,0)", kCrate, std::string("OpMesh(") + kBarrel + ")"});
    CChest* without = Place<CChest>({"Pos(2,0,0)", kCrate, "Angle(0,90,0)"});
    Frame();
    D3DXMATRIX expected = without->scaleMat * without->rotMat * without->transMat;
    EXPECT_EQ(*without->world, expected);

    const std::vector<std::string> closed = Record([&] { without->Draw(); });
    const long closedSubset = IndexOf(closed, "DrawSubset(");
    ASSERT_GE(closedSubset, 0);
    EXPECT_EQ(ToonWorld(), expected);

    Toucher player(KIND_PLAYER);
    without->OnHit(&player);
    withOpen->OnHit(&player);
    EXPECT_TRUE(Record([&] { without->Draw(); }).empty());
    const std::vector<std::string> open = Record([&] { withOpen->Draw(); });
    const long openSubset = IndexOf(open, "DrawSubset(");
    ASSERT_GE(openSubset, 0);
    // The subset's faces and vertices tell the barrel from the crate.
    EXPECT_NE(open[static_cast<size_t>(openSubset)], closed[static_cast<size_t>(closedSubset)]);
    without->state = 2;
    EXPECT_TRUE(Record([&] { without->Draw(); }).empty());
}

TEST_F(ChestItemGoalTest, AnItemSpinsOneDegreeAFrameFromOneTo360AndIsDrawnWithACyanOutline) {
    CItem* item = Place<CItem>({"Pos(1,2,3)", kCrate, "Angle(45,0,0)"});
    for (int frame = 1; frame <= 725; ++frame) {
        Frame();
        const float expected = static_cast<float>((frame - 1) % 360 + 1);
        ASSERT_EQ(item->spin, expected) << frame;
    }
    // Frame 725: 5 degrees about y, placed without the placement's turn.
    D3DXMATRIX turn, expected;
    D3DXMatrixRotationY(&turn, 5.0f * 0.017453f);
    expected = turn * item->transMat;
    EXPECT_EQ(*item->world, expected);

    const std::vector<std::string> calls = Record([&] { item->Draw(); });
    const long body = IndexOf(calls, "DrawSubset(");
    const long outline = IndexOf(calls, "MyShader.SetTechnique:OutlineTech");
    ASSERT_GE(body, 0);
    ASSERT_GE(outline, 0) << ::testing::PrintToString(calls);
    EXPECT_LT(body, outline);
    ID3DXEffect* toon = ShaderManager::GetInstance().toon.effect;
    D3DXVECTOR4 colour;
    float size = 0;
    toon->GetVector("OutlineColor", &colour);
    toon->GetFloat("OutlineSize", &size);
    EXPECT_EQ(colour, D3DXVECTOR4(0, 1, 1, 1));
    EXPECT_FLOAT_EQ(size, CItem::kOutlineSize);
    EXPECT_EQ(ToonWorld(), expected);
}

TEST_F(ChestItemGoalTest, TheItemIsTakenByThePlayerAloneAndLeavesTheList) {
    CItem* item = Place<CItem>({kCrate});
    ColdObject cold;
    item->OnHit(&cold);
    Toucher box(KIND_BOX);
    item->OnHit(&box);
    item->OnHit(nullptr);
    Frame();
    ASSERT_EQ(CountKind(KIND_ITEM), 1);
    EXPECT_EQ(Plays(CItem::kTakenSound), 0);

    Toucher player(KIND_PLAYER);
    item->OnHit(&player);
    EXPECT_EQ(item->dead, 1);
    EXPECT_EQ(item->state, 0) << "state 0 tells the player it took an item";
    EXPECT_EQ(Plays(CItem::kTakenSound), 1);
    Frame();
    EXPECT_EQ(CountKind(KIND_ITEM), 0);
}

TEST_F(ChestItemGoalTest, ThePlayerReachingForTheItemTakesItAndGainsTheGun) {
    PlaceFloor();
    Place<CItem>({"Pos(0,0,2)", "Mesh(" + WriteBlocks("Item", {{{0, 0.75f, 0}, {0.3f, 0.75f, 0.3f}}}) + ")"});
    Player* player = PlacePlayer({0, 0, 0}, 1);
    ASSERT_EQ(player->skin->containerCount, 1);
    input.held = {'W'};
    for (int i = 0; i < 120 && !player->markerShown; ++i) Frame();
    ASSERT_EQ(player->markerShown, 1) << "the item is within reach ahead";
    input.held = {'W', VK_LBUTTON};
    Frame();
    input.held.clear();
    EXPECT_EQ(player->state, PLAYER_INTERACT);
    for (int i = 0; i < 150 && CountKind(KIND_ITEM); ++i) Frame();
    EXPECT_EQ(CountKind(KIND_ITEM), 0);
    EXPECT_EQ(Plays(CItem::kTakenSound), 1);
    EXPECT_EQ(player->skin->containerCount, 2) << "the gun is drawn from now on";
}

TEST_F(ChestItemGoalTest, TheStageExitWritesTheNextProgressAndSendsTheGameBackToTheTitle) {
    std::filesystem::current_path(scratch);
    CGoal* goal = Place<CGoal>({"Pos(0,0,5)", "Angle(0,90,0)", "State(0)"});
    EXPECT_EQ(goal->drawParams->lighting, 0);
    EXPECT_EQ(goal->drawParams->edge, 0);
    EXPECT_EQ(goal->drawParams->castShadow, 0);
    Toucher* player = PlaceToucher(KIND_PLAYER);
    player->move = D3DXVECTOR3(1, 0, 0);
    Camera camera;
    Application& app = Application::GetInstance();
    app.camera = &camera;
    app.stageSelect = 1;
    app.nextScene = SCENE_NONE;

    Frame(10);
    EXPECT_EQ(Fade::GetInstance().mode, 0) << "nothing before the touch";
    goal->OnHit(player);
    EXPECT_EQ(goal->reached, 1);
    EXPECT_EQ(FieldLog(*goal).values, (std::map<std::string, float>{{"reached", 1}}));
    EXPECT_EQ(Fade::GetInstance().mode, Fade::kToBlack);
    Frame();
    // Turned to the goal's facing negated, all sixteen elements; the camera swings after the player.
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c) EXPECT_EQ(player->rotMat(r, c), -goal->rotMat(r, c)) << r << c;
    EXPECT_FLOAT_EQ(camera.yaw, Camera::kSlowTurnStep);
    Frame();
    EXPECT_FLOAT_EQ(camera.yaw, 2 * Camera::kSlowTurnStep);

    const int frames = FramesUntilBlack();
    EXPECT_EQ(frames + 2, 65) << "the request comes in the frame the screen is black";
    EXPECT_EQ(app.nextScene, SCENE_TITLE);
    EXPECT_EQ(app.stageSelect, -1);
    EXPECT_EQ(goal->reached, 0);
    EXPECT_EQ(Contents(scratch / "save.dat"), "3\n");
    EXPECT_FALSE(std::filesystem::exists(scratch / "save.dat.tmp"));
}

TEST_F(ChestItemGoalTest, TheFirstTouchWinsFromAnyFadeAndTheSavedProgressOnlyGrows) {
    Application& app = Application::GetInstance();
    std::filesystem::current_path(scratch);
    CGoal* exit = Place<CGoal>({"State(0)"});
    CGoal* other = Place<CGoal>({"Pos(3,0,0)", "State(1)"});
    Toucher player(KIND_PLAYER);
    struct Case {
        const char* stored;
        int stage;
        const char* saved;
    };
    // Replaying the first stage after both keeps 3; winning the second over 1 saves 3 at the touch.
    for (const Case& c : {Case{"3\n", 0, "3\n"}, Case{"1\n", 1, "3\n"}}) {
        std::ofstream("save.dat") << c.stored;
        app.stageSelect = c.stage;
        app.nextScene = SCENE_NONE;
        Fade& fade = Fade::GetInstance();
        fade.mode = Fade::kBars;  // the bars of a chest, already leaving
        fade.phase = 1;
        fade.barHeight = 40.0f;
        exit->OnHit(&player);
        EXPECT_EQ(fade.mode, Fade::kToBlack);
        EXPECT_EQ(fade.phase, 0);
        EXPECT_EQ(fade.alpha, 0);
        EXPECT_EQ(Contents(scratch / "save.dat"), c.saved) << "saved at the touch";
        other->OnHit(&player);
        EXPECT_EQ(other->reached, 0) << "a second goal changes nothing";
        EXPECT_GT(FramesUntilBlack(), 60) << "the whole fade runs";
        EXPECT_EQ(app.nextScene, SCENE_TITLE);
        EXPECT_EQ(app.stageSelect, -1);
        EXPECT_EQ(Contents(scratch / "save.dat"), c.saved);
        Frame(100);
    }
}

TEST_F(ChestItemGoalTest, EachExitKindAsksForItsSceneAndStageAndOthersAskForNothing) {
    struct Case {
        int exit;
        int scene;
        int stage;
    };
    // Exit kind 4 is the way into the second stage.
    const Case cases[] = {{1, SCENE_GAME, 0}, {2, SCENE_CONTINUE, 1}, {3, SCENE_CONTINUE, 2}, {4, SCENE_GAME, 1}, {7, SCENE_NONE, 5}};
    Application& app = Application::GetInstance();
    std::filesystem::current_path(scratch);
    for (const Case& c : cases) {
        ClearObjects();
        app.nextScene = SCENE_NONE;
        app.stageSelect = 5;
        CGoal* goal = Place<CGoal>({"State(" + std::to_string(c.exit) + ")"});
        Toucher player(KIND_PLAYER);
        goal->OnHit(&player);
        FramesUntilBlack(100);
        EXPECT_EQ(app.nextScene, c.scene) << c.exit;
        EXPECT_EQ(app.stageSelect, c.stage) << c.exit;
        EXPECT_EQ(goal->reached, 0) << c.exit;
        EXPECT_FALSE(std::filesystem::exists(scratch / "save.dat")) << c.exit;
        Frame(100);  // the fade back ends
    }
}

TEST_F(ChestItemGoalTest, ASaveThatCannotBeWrittenIsLostQuietlyAndTheWayBackStaysOpen) {
    std::filesystem::current_path(scratch);
    std::filesystem::create_directories(scratch / "save.dat" / "blocked");
    Application& app = Application::GetInstance();
    app.stageSelect = 0;
    app.nextScene = SCENE_NONE;
    CGoal* goal = Place<CGoal>({"State(0)"});
    Toucher player(KIND_PLAYER);
    goal->OnHit(&player);
    FramesUntilBlack();
    EXPECT_EQ(app.nextScene, SCENE_TITLE);
    EXPECT_EQ(app.stageSelect, -1);
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "save.dat"));
}

TEST_F(ChestItemGoalTest, BoxesAndShotsTouchingTheGoalStartNothingAndAGoalWithoutAPlayerStillLeads) {
    Application& app = Application::GetInstance();
    app.nextScene = SCENE_NONE;
    app.stageSelect = 0;
    CGoal* goal = Place<CGoal>({"State(1)"});
    ColdObject cold;
    Toucher box(KIND_BOX);
    Toucher statue(KIND_STATUE);
    for (CharacterBase* other : {static_cast<CharacterBase*>(&cold), static_cast<CharacterBase*>(&box),
                                 static_cast<CharacterBase*>(&statue), static_cast<CharacterBase*>(nullptr)})
        goal->OnHit(other);
    Frame(100);
    EXPECT_EQ(goal->reached, 0);
    EXPECT_EQ(Fade::GetInstance().mode, 0);
    EXPECT_EQ(app.nextScene, SCENE_NONE);

    // No player in the list: nothing to turn, and the exit still works.
    ASSERT_EQ(CountKind(KIND_PLAYER), 0);
    Toucher player(KIND_PLAYER);
    goal->OnHit(&player);
    FramesUntilBlack();
    EXPECT_EQ(app.nextScene, SCENE_GAME);
}

// A goal whose mesh did not load is reached by the player standing in its opening, not from beside it
// or above it; a goal with a mesh only by the player's run into it.
TEST_F(ChestItemGoalTest, AGoalWithoutAMeshIsReachedInItsOpening) {
    Application& app = Application::GetInstance();
    app.nextScene = SCENE_NONE;
    CGoal* meshless = Place<CGoal>({"Pos(0,0,5)", "State(1)", "Mesh(data/xfile/Object/NoSuchGoal.x)"});
    CGoal* solid = Place<CGoal>({"Pos(4,0,5)", "State(1)", "Mesh(" + WriteBlocks("Arch", {{{0, 1, 0}, {1, 1, 0.1f}}}) + ")"});
    Toucher* player = PlaceToucher(KIND_PLAYER, {0.8f, 0, 5});
    Frame(5);
    for (const D3DXVECTOR3& at : {D3DXVECTOR3(0, 2.3f, 5), D3DXVECTOR3(4, 0, 5), D3DXVECTOR3(0, 0, 4.2f)}) {
        D3DXMatrixTranslation(&player->transMat, at.x, at.y, at.z);
        Frame();
        EXPECT_EQ(meshless->reached + solid->reached, 0) << at.x << "," << at.y << "," << at.z;
    }
    D3DXMatrixTranslation(&player->transMat, 0.3f, 0, 5.4f);
    Frame();
    EXPECT_EQ(meshless->reached, 1);
    EXPECT_EQ(FramesUntilBlack(), 64) << "the fade of any touch";
    EXPECT_EQ(app.nextScene, SCENE_GAME);
}

}  // namespace
