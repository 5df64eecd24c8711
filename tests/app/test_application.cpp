// The start-up, the main loop's pacing and message handling, and the shutdown, run in-process on the
// headless platform.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <vector>

#include "app/Application.h"
#include "app/MainLoopScenes.h"
#include "app/SceneId.h"
#include "graphics/GraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/sys/Clock.h"
#include "platform/sys/MessageBoxHook.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

// A clock that reads out a prepared list of times and remembers every sleep.
class ScriptedClock : public platform::Clock {
public:
    explicit ScriptedClock(std::deque<uint32_t> times) : times(std::move(times)) {}
    uint32_t NowMs() override {
        if (times.empty()) return last;
        last = times.front();
        times.pop_front();
        return last;
    }
    void SleepMs(uint32_t ms) override { sleeps.push_back(ms); }
    std::vector<uint32_t> sleeps;

private:
    std::deque<uint32_t> times;
    uint32_t last = 0;
};

class StopAfter : public FrameObserver {
public:
    explicit StopAfter(int frames) : frames(frames) {}
    bool AfterFrame(int frame) override {
        ran = frame;
        return frame < frames;
    }
    int frames;
    int ran = 0;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::GetSettings().headless = true;
        platform::SetMessageBoxHandler([this](const char* text, const char* caption, UINT) {
            boxes.push_back(std::string(caption) + "|" + text);
            return IDNO;
        });
        UnregisterClassA(kWindowClassName, nullptr);
        // Run in the content tree (the font is there) on a clock that never really sleeps.
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(VELDORIN_GAME_DIR);
        platform::SetClock(&quietClock);
    }
    void TearDown() override {
        // The next start in this process finds no device, window or message of this one.
        Application& app = Application::GetInstance();
        app.Shutdown();
        if (app.hWnd) DestroyWindow(app.hWnd);
        app.hWnd = nullptr;
        for (MSG message{}; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {}
        platform::SetClock(nullptr);
        platform::SetMessageBoxHandler({});
        platform::headless::SetCreateFilter({});
        Application::GetInstance().observer = nullptr;
        Application::GetInstance().startScene = SCENE_TITLE;
        std::filesystem::current_path(previousDir);
    }
    std::vector<std::string> boxes;
    std::filesystem::path previousDir;
    platform::SimulatedClock quietClock;
};

TEST(FramePacing, SleepsOutTheRestOfSixteenMilliseconds) {
    EXPECT_EQ(FrameSleepTime(1000, 1005), 11u);
    EXPECT_EQ(FrameSleepTime(1000, 1000), 16u);
    EXPECT_EQ(FrameSleepTime(1000, 1015), 1u);
    EXPECT_EQ(FrameSleepTime(1000, 1016), 0u);
    EXPECT_EQ(FrameSleepTime(1000, 1100), 0u);
    // The millisecond counter wraps after 49.7 days; the difference stays right.
    EXPECT_EQ(FrameSleepTime(0xFFFFFFFEu, 3u), 11u);
}

TEST_F(ApplicationTest, StartUpCentresTheWindowAndFitsItsClientArea) {
    Application& app = Application::GetInstance();
    ASSERT_TRUE(app.Initialize(nullptr));
    RECT outer{};
    GetWindowRect(app.hWnd, &outer);
    EXPECT_EQ(outer.left, (static_cast<int>(platform::headless::kDesktopWidth) - 800) / 2);
    EXPECT_EQ(outer.top, (static_cast<int>(platform::headless::kDesktopHeight) - 600) / 2);
    EXPECT_EQ(app.clientWidth, 800);
    EXPECT_EQ(app.clientHeight, 600);
    EXPECT_EQ(GraphicsDevice::GetInstance().GetBackBufferWidth(), 800u);
    EXPECT_FALSE(app.quitRequested);
    EXPECT_EQ(boxes, std::vector<std::string>{"ウインドウモード選択|フルスクリーンで遊びますか？"});
}

TEST_F(ApplicationTest, LoopSleepsOnlyAfterShortFramesAndShutsTheDeviceDown) {
    // Each frame reads the clock twice: frames of 5 ms, 16 ms and 30 ms.
    ScriptedClock clock({0, 5, 100, 116, 200, 230});
    Application& app = Application::GetInstance();
    // A scene that loads nothing, so only the frames sleep.
    app.startScene = SCENE_CONTINUE;
    ASSERT_TRUE(app.Initialize(nullptr));
    platform::SetClock(&clock);
    StopAfter observer(3);
    app.observer = &observer;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(observer.ran, 3);
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{11});
    EXPECT_EQ(GraphicsDevice::GetInstance().GetDevice(), nullptr) << "the device goes at shutdown";
    EXPECT_EQ(app.sceneMgr, nullptr);
}

TEST_F(ApplicationTest, CloseEndsTheLoopOnItsNextPassAfterTheQueueIsDrained) {
    Application& app = Application::GetInstance();
    ASSERT_TRUE(app.Initialize(nullptr));
    // Queued messages are all handled before any frame: the close arrives behind wheel messages.
    PostMessageA(app.hWnd, WM_MOUSEWHEEL, 120u << 16, 0);
    PostMessageA(app.hWnd, WM_MOUSEWHEEL, 120u << 16, 0);
    PostMessageA(app.hWnd, WM_CLOSE, 0, 0);
    StopAfter observer(10);
    app.observer = &observer;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(observer.ran, 0) << "no frame is made while messages wait";
    EXPECT_TRUE(app.closeRequested);
    EXPECT_TRUE(app.quitRequested);
}

TEST_F(ApplicationTest, ACloseDuringTheGameStopsAfterTheCurrentFrame) {
    class CloseAt : public FrameObserver {
    public:
        bool AfterFrame(int frame) override {
            if (frame == 4) PostMessageA(Application::GetInstance().hWnd, WM_CLOSE, 0, 0);
            ran = frame;
            return frame < 100;
        }
        int ran = 0;
    } observer;
    Application& app = Application::GetInstance();
    ASSERT_TRUE(app.Initialize(nullptr));
    app.observer = &observer;
    app.Run();
    EXPECT_EQ(observer.ran, 4);
    EXPECT_TRUE(app.quitRequested);
}

TEST_F(ApplicationTest, NoDeviceShowsBothMessagesAndStartUpFails) {
    platform::headless::SetCreateFilter([](D3DDEVTYPE, DWORD) { return false; });
    EXPECT_FALSE(Application::GetInstance().Initialize(nullptr));
    const std::vector<std::string> expected = {"ウインドウモード選択|フルスクリーンで遊びますか？",
                                               "Direct3D初期化|Direct3Dの初期化に失敗", "|Direct3D初期化ミス"};
    EXPECT_EQ(boxes, expected);
}

TEST_F(ApplicationTest, AStartSceneOtherThanTheTitleKeepsItsStage) {
    Application& app = Application::GetInstance();
    app.startScene = 2;
    app.startStage = 1;
    ASSERT_TRUE(app.Initialize(nullptr));
    class Check : public FrameObserver {
    public:
        bool AfterFrame(int) override {
            stage = Application::GetInstance().stageSelect;
            return false;
        }
        int stage = -5;
    } observer;
    app.observer = &observer;
    app.Run();
    EXPECT_EQ(observer.stage, 1);
}

TEST_F(ApplicationTest, TheWindowProcedureHandlesItsFourMessages) {
    Application& app = Application::GetInstance();
    ASSERT_TRUE(app.Initialize(nullptr));
    MoveWindow(app.hWnd, 0, 0, 640, 480, false);
    EXPECT_EQ(app.clientWidth, 640) << "WM_SIZE follows the client rectangle";
    EXPECT_EQ(app.clientHeight, 480);
    EXPECT_EQ(WindowProc(app.hWnd, WM_MOUSEWHEEL, 0, 0), 0);
    EXPECT_EQ(WindowProc(app.hWnd, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(app.closeRequested);
    EXPECT_FALSE(app.quitRequested) << "the loop, not the window procedure, turns a close into a quit";
    WindowProc(app.hWnd, WM_DESTROY, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
}

}  // namespace

// A scene that notes whether the device was still there when it was deleted.
struct ShutdownScene : BaseScene {
    explicit ShutdownScene(SceneChanger* changer) : BaseScene(changer) {}
    ~ShutdownScene() override { deviceAtDelete = GraphicsDevice::GetInstance().GetDevice() != nullptr; }
    int GetSceneId() const override { return SCENE_CONTINUE; }
    static inline int made = 0;
    static inline bool deviceAtDelete = false;
};

// The loop's end: the scene manager deletes its scene while the device the scene drew with is still
// there; the caches and the device go after it.
TEST_F(ApplicationTest, TheSceneGoesBeforeTheDeviceAtShutdown) {
    SceneFactory& factory = MainLoopSceneFactory();
    const SceneFactory previous = factory;
    factory = [](int, SceneChanger* changer) -> BaseScene* {
        ++ShutdownScene::made;
        return new ShutdownScene(changer);
    };
    Application& app = Application::GetInstance();
    app.startScene = SCENE_CONTINUE;
    ASSERT_TRUE(app.Initialize(nullptr));
    StopAfter observer(2);
    app.observer = &observer;
    EXPECT_EQ(app.Run(), 0);
    factory = previous;
    EXPECT_EQ(ShutdownScene::made, 1);
    EXPECT_TRUE(ShutdownScene::deviceAtDelete) << "the scene was deleted after the device";
    EXPECT_EQ(GraphicsDevice::GetInstance().GetDevice(), nullptr);
    EXPECT_EQ(app.sceneMgr, nullptr);
}
