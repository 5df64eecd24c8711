// The input devices and the camera in the application's start-up, frame and shutdown.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Application.h"
#include "app/SceneId.h"
#include "app/Mouse.h"
#include "graphics/Camera.h"
#include "platform/Platform.h"
#include "platform/sys/Clock.h"
#include "platform/sys/MessageBoxHook.h"
#include "tests/support/FakeInput.h"

namespace {

// Moves the cursor 40 pixels right after every frame and watches the camera.
class MouseHand : public FrameObserver {
public:
    MouseHand(FakeInput& input, int frames) : input(input), frames(frames) {}
    bool AfterFrame(int frame) override {
        angles.push_back(Mouse::GetInstance().GetHorizontalAngle());
        cameraSeen = Application::GetInstance().camera != nullptr;
        input.cursor.x += 40;
        return frame < frames;
    }
    FakeInput& input;
    int frames;
    std::vector<float> angles;
    bool cameraSeen = false;
};

TEST(ApplicationDevices, MouseAndCameraJoinAtStartUpAndThePollsRunEveryFrame) {
    platform::GetSettings().headless = true;
    platform::SetMessageBoxHandler([](const char*, const char*, UINT) { return IDNO; });
    platform::SimulatedClock clock;
    platform::SetClock(&clock);
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(VELDORIN_GAME_DIR);
    FakeInput input;

    Application& app = Application::GetInstance();
    UnregisterClassA(kWindowClassName, nullptr);  // an earlier start-up in this process may have left it
    // The closing picture leaves the mouse alone (the title re-centres it until the game starts).
    app.startScene = SCENE_CONTINUE;
    ASSERT_TRUE(app.Initialize(nullptr));
    ASSERT_NE(app.camera, nullptr);
    POINT centre{400, 300};
    ClientToScreen(app.hWnd, &centre);
    EXPECT_EQ(input.cursor.x, centre.x) << "the mouse pinned the cursor at start-up";
    EXPECT_EQ(input.cursor.y, centre.y);

    MouseHand hand(input, 3);
    input.cursor.x += 40;  // moved before the first frame
    app.observer = &hand;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(hand.angles, (std::vector<float>{10, 20, 30}));
    EXPECT_TRUE(hand.cameraSeen);
    EXPECT_EQ(input.reads, (std::vector<DWORD>{0, 0, 0})) << "one pad poll per frame, stopping at pad 0";
    EXPECT_EQ(app.camera, nullptr) << "deleted at shutdown";

    app.observer = nullptr;
    app.startScene = SCENE_TITLE;
    std::filesystem::current_path(previousDir);
    platform::SetMessageBoxHandler({});
    platform::SetClock(nullptr);
}

}  // namespace
