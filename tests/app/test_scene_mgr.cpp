// The scene change protocol and the frame's drawing bracket.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SceneMgr.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

std::vector<std::string> events;

class RecordingScene : public BaseScene {
public:
    RecordingScene(SceneChanger* changer, int id, int serial) : BaseScene(changer), id(id), serial(serial) {
        Log("construct");
    }
    ~RecordingScene() override { Log("delete"); }
    int GetSceneId() const override { return id; }
    void Initialize() override { Log("Initialize"); }
    void Finalize() override { Log("Finalize"); }
    void Update() override { Log("Update"); }
    void Draw() override { Log("Draw"); }
    void DrawExtra1() override { Log("DrawExtra1"); }
    void DrawExtra2() override { Log("DrawExtra2"); }
    void Draw2D() override { Log("Draw2D"); }

private:
    void Log(const char* what) { events.push_back(std::string(what) + " " + std::to_string(id) + "#" + std::to_string(serial)); }
    int id, serial;
};

SceneFactory RecordingFactory() {
    return [serial = 0](int id, SceneChanger* changer) mutable -> BaseScene* {
        return new RecordingScene(changer, id, ++serial);
    };
}

class SceneMgrTest : public HeadlessGraphicsTest {
protected:
    void SetUp() override {
        HeadlessGraphicsTest::SetUp();
        events.clear();
        Application::GetInstance().nextScene = 0;
    }
    // One frame as the main loop runs it.
    static void Frame(SceneMgr& scenes) {
        scenes.Update();
        scenes.Draw();
    }
};

TEST_F(SceneMgrTest, NewSceneInitialisesAndUpdatesInTheChangeFrameBeforeDrawing) {
    StartDevice();
    SceneMgr scenes(RecordingFactory());
    scenes.Start(1);
    Frame(scenes);
    events.clear();

    scenes.ChangeScene(2);
    EXPECT_EQ(Application::GetInstance().nextScene, 2) << "a request only stores the id";
    EXPECT_TRUE(events.empty());
    Frame(scenes);
    const std::vector<std::string> expected = {"Finalize 1#1", "delete 1#1", "construct 2#2", "Initialize 2#2",
                                               "Update 2#2",   "Draw 2#2",   "Draw2D 2#2"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(Application::GetInstance().nextScene, 0);
    EXPECT_EQ(scenes.GetCurrent()->GetSceneId(), 2);
}

TEST_F(SceneMgrTest, TwoRequestsInOneFrameOnlyTheLastTakesEffect) {
    StartDevice();
    SceneMgr scenes(RecordingFactory());
    scenes.Start(1);
    scenes.ChangeScene(2);
    scenes.ChangeScene(3);
    events.clear();
    scenes.Update();
    EXPECT_EQ(events, (std::vector<std::string>{"Finalize 1#1", "delete 1#1", "construct 3#2", "Initialize 3#2",
                                                "Update 3#2"}));
}

TEST_F(SceneMgrTest, RequestingTheCurrentIdBuildsAFreshScene) {
    SceneMgr scenes(RecordingFactory());
    scenes.Start(2);
    scenes.ChangeScene(2);
    events.clear();
    scenes.Update();
    EXPECT_EQ(events, (std::vector<std::string>{"Finalize 2#1", "delete 2#1", "construct 2#2", "Initialize 2#2",
                                                "Update 2#2"}));
}

TEST_F(SceneMgrTest, UnknownIdIsDroppedWithoutTearingTheSceneDown) {
    SceneMgr scenes(RecordingFactory());
    scenes.Start(1);
    for (int bad : {4, -1, 99}) {
        Application::GetInstance().nextScene = bad;
        events.clear();
        scenes.Update();
        EXPECT_EQ(events, std::vector<std::string>{"Update 1#1"}) << "id " << bad;
        EXPECT_EQ(Application::GetInstance().nextScene, 0);
    }
}

TEST_F(SceneMgrTest, DestroyingTheManagerDoesNotFinaliseTheLastScene) {
    auto* scenes = new SceneMgr(RecordingFactory());
    scenes->Start(1);
    events.clear();
    delete scenes;
    EXPECT_EQ(events, std::vector<std::string>{"delete 1#1"}) << "no Finalize at shutdown";
}

TEST_F(SceneMgrTest, DrawBracketsTheSceneWithClearAndTheSpriteState) {
    HeadlessDevice& device = StartDevice();
    SceneMgr scenes(RecordingFactory());
    scenes.Start(1);
    events.clear();
    scenes.Draw();
    EXPECT_EQ(events, (std::vector<std::string>{"Draw 1#1", "Draw2D 1#1"})) << "the two extra slots are never drawn";

    // What the manager itself does around the sprite batch (the batch saves and restores its own states).
    std::vector<std::string> calls = CallNames(device);
    const auto begin = std::find(calls.begin(), calls.end(), "Sprite.Begin(16)");
    const auto end = std::find(calls.begin(), calls.end(), "Sprite.End()");
    ASSERT_NE(begin, calls.end());
    ASSERT_NE(end, calls.end());
    calls.erase(begin + 1, end);
    const std::vector<std::string> expected = {
        "BeginScene()",
        "Clear(0, 7, 4278190080, 1065353216, 0)",  // target|z|stencil, opaque black, depth 1.0, stencil 0
        "SetRenderState(137, 0)", "SetRenderState(7, 0)", "SetRenderState(14, 0)",
        "SetSamplerState(0, 1, 3)", "SetSamplerState(0, 2, 3)",
        "Sprite.Begin(16)", "Sprite.End()",
        "SetRenderState(137, 1)", "SetRenderState(7, 1)", "SetRenderState(14, 1)",
        "SetSamplerState(0, 1, 1)", "SetSamplerState(0, 2, 1)",
        "EndScene()",
    };
    EXPECT_EQ(calls, expected);
}

TEST(SceneIds, TheFactoryBuildsTheThreeScenes) {
    for (int id : {1, 2, 3}) {
        BaseScene* scene = CreateSceneById(id, nullptr);
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(scene->GetSceneId(), id);
        delete scene;
    }
    EXPECT_EQ(CreateSceneById(0, nullptr), nullptr);
    EXPECT_EQ(CreateSceneById(4, nullptr), nullptr);
}

}  // namespace
