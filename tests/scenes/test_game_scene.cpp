// The game scene's frame without the runner: Esc through the shared latch, the update pass with its
// removal of dead objects, the camera following the mouse only while control is on, the fade drawn
// after every object's 2D pass, and Finalize emptying the stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneChanger.h"
#include "app/SceneId.h"
#include "graphics/Camera.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectList.h"
#include "scenes/EscLatch.h"
#include "scenes/Fade.h"
#include "scenes/GameScene.h"
#include "tests/support/FakeInput.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

class KeyboardInput : public FakeInput {
public:
    bool KeyDown(int key) override { return key == VK_ESCAPE && escDown; }
    bool escDown = false;
};

struct RecordingChanger : SceneChanger {
    void ChangeScene(int sceneId) override { requests.push_back(sceneId); }
    std::vector<int> requests;
};

// An object that writes its passes into the device record.
class Marker : public CharacterBase {
public:
    explicit Marker(std::string name) : name(std::move(name)) { kind = KIND_BOX; }
    const char* ClassName() const override { return "Marker"; }
    void Update() override {
        ++updates;
        if (dieOnUpdate) dead = 1;
    }
    void Draw2D() override {
        if (HeadlessDevice* device = HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice()))
            device->Record("Marker.Draw2D:" + name);
    }
    std::string name;
    int updates = 0;
    bool dieOnUpdate = false;
};

class GameSceneTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        device = &StartDevice();
        device->StopRecording();
        Application::GetInstance().camera = &camera;
        Mouse::GetInstance().SetWindow(window);
        EscLatch::Held() = false;
        Fade::GetInstance().mode = 0;
        Fade::GetInstance().Update();
    }
    void TearDown() override {
        ClearObjects();
        Application::GetInstance().camera = nullptr;
        TextureManager::GetInstance().ReleaseAll();
        ContentTreeTest::TearDown();
    }
    Marker* Add(const std::string& name) {
        auto* marker = new Marker(name);
        AddObject(marker);
        return marker;
    }
    // Turns the mouse 10 degrees to the right and 5 down.
    void MoveMouse() {
        Mouse& mouse = Mouse::GetInstance();
        mouse.Init();
        input.cursor.x += 40;
        input.cursor.y -= 20;
        mouse.Update();
        ASSERT_FLOAT_EQ(mouse.GetHorizontalAngle(), 10.0f);
        ASSERT_NE(mouse.GetVerticalAngle(), 0.0f);
    }

    KeyboardInput input;
    Camera camera;
    RecordingChanger changer;
    GameScene scene{&changer};
    HeadlessDevice* device = nullptr;
};

}  // namespace

TEST(GameSceneStages, StageTableNamesTwoStagesAndNothingElse) {
    EXPECT_STREQ(GameScene::MapList(0), "Data/txt/Map1.txt");
    EXPECT_STREQ(GameScene::Placement(0), "Data/txt/Mapdata1.txt");
    EXPECT_STREQ(GameScene::MapList(1), "Data/txt/Map2.txt");
    EXPECT_STREQ(GameScene::Placement(1), "Data/txt/Mapdata2.txt");
    for (int stage : {2, 7, -1}) {
        EXPECT_STREQ(GameScene::MapList(stage), "") << stage;
        EXPECT_STREQ(GameScene::Placement(stage), "") << stage;
    }
}

TEST_F(GameSceneTest, HeldEscAsksForTheTitleOnceUntilItIsReleased) {
    input.escDown = true;
    for (int i = 0; i < 5; ++i) scene.Update();
    EXPECT_EQ(changer.requests, (std::vector<int>{SCENE_TITLE}));
    EXPECT_TRUE(EscLatch::Held()) << "the title sees the same latch and waits for a release";
    input.escDown = false;
    scene.Update();
    EXPECT_FALSE(EscLatch::Held());
    input.escDown = true;
    scene.Update();
    EXPECT_EQ(changer.requests, (std::vector<int>{SCENE_TITLE, SCENE_TITLE}));
}

TEST_F(GameSceneTest, EscStillHeldFromTheTitleDoesNotLeaveTheStage) {
    EscLatch::Held() = true;  // the press that was acted on before this scene began
    input.escDown = true;
    scene.Update();
    EXPECT_TRUE(changer.requests.empty());
}

TEST_F(GameSceneTest, UpdateRunsEveryObjectRemovesTheDeadAndAdvancesTheFade) {
    Marker* a = Add("a");
    Add("b")->dieOnUpdate = true;
    Add("c")->dieOnUpdate = true;
    Marker* d = Add("d");
    Fade::GetInstance().mode = 2;
    scene.Update();
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(d->updates, 1);
    ASSERT_EQ(GetObjectList().size(), 2u);
    EXPECT_EQ(GetObjectList()[0], a);
    EXPECT_EQ(GetObjectList()[1], d);
    EXPECT_EQ(Fade::GetInstance().alpha, 4);
    EXPECT_TRUE(changer.requests.empty());
}

TEST_F(GameSceneTest, CameraTakesTheMouseAnglesOnlyWhileControlIsOn) {
    MoveMouse();
    camera.mouseControl = false;
    camera.yaw = 33;
    camera.pitch = 4;
    scene.Update();
    EXPECT_EQ(camera.yaw, 33.0f);
    EXPECT_EQ(camera.pitch, 4.0f);
    camera.mouseControl = true;
    scene.Update();
    EXPECT_EQ(camera.yaw, Mouse::GetInstance().GetHorizontalAngle());
    EXPECT_EQ(camera.pitch, Mouse::GetInstance().GetVerticalAngle());

    // A running fade to black takes control away in the same frame, before the next one reads it.
    Fade::GetInstance().mode = 2;
    scene.Update();
    EXPECT_FALSE(camera.mouseControl);
    camera.yaw = 50;
    scene.Update();
    EXPECT_EQ(camera.yaw, 50.0f);
}

TEST_F(GameSceneTest, FadeIsDrawnAfterEveryObjectsScreenPass) {
    Add("first");
    Add("second");
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    device->ClearCalls();
    device->StartRecording();
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    scene.Draw2D();
    sprite->End();
    device->StopRecording();
    std::vector<std::string> order;
    for (const DeviceCall& call : device->Calls()) {
        if (call.name.rfind("Marker.", 0) == 0 || call.name == "Sprite.Draw") order.push_back(call.name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Marker.Draw2D:first", "Marker.Draw2D:second", "Sprite.Draw"}));
}

TEST_F(GameSceneTest, FinalizeUpdatesTheFadeOnceDeletesTheStageAndFacesForward) {
    Add("a");
    Add("b");
    Fade::GetInstance().mode = 2;
    camera.yaw = 70;
    camera.pitch = 20;
    scene.Finalize();
    EXPECT_TRUE(GetObjectList().empty());
    EXPECT_EQ(Fade::GetInstance().alpha, 4);
    EXPECT_NEAR(camera.yaw, 0.0f, 1e-4f);
    EXPECT_NEAR(camera.pitch, 0.0f, 1e-4f);
}
