// The mouse as a camera control: displacement to angles, clamps, the pinned cursor and the focus.
#include <gtest/gtest.h>

#include "app/GamePad.h"
#include "app/Mouse.h"
#include "platform/Platform.h"
#include "tests/support/FakeInput.h"

namespace {

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::GetSettings().headless = true;
        WNDCLASSEXA windowClass{};
        windowClass.lpfnWndProc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
        windowClass.lpszClassName = "MouseTestWindow";
        RegisterClassExA(&windowClass);
        // The client area starts at (100, 50) on the screen, so its centre is (500, 350).
        window = CreateWindowExA(0, "MouseTestWindow", "", 0, 100, 50, 800, 600, nullptr, nullptr, nullptr, nullptr);
        mouse.SetWindow(window);
    }
    void TearDown() override {
        DestroyWindow(window);
        UnregisterClassA("MouseTestWindow", nullptr);
    }

    // Moves the cursor by (dx, dy) from where it is and polls once.
    void Move(int dx, int dy) {
        input.cursor.x += dx;
        input.cursor.y += dy;
        mouse.Update(pads);
    }

    // The display counter of ShowCursor, read without changing it.
    static int CursorCounter() {
        ShowCursor(true);
        return ShowCursor(false);
    }

    FakeInput input;
    GamePad pads;
    Mouse mouse;
    HWND window = nullptr;
};

TEST_F(MouseTest, InitPinsTheCursorToTheClientCentre) {
    input.cursor = POINT{3, 4};
    mouse.Init();
    EXPECT_EQ(mouse.GetCentre().x, 500);
    EXPECT_EQ(mouse.GetCentre().y, 350);
    EXPECT_EQ(input.cursor.x, 500);
    EXPECT_EQ(input.cursor.y, 350);
    EXPECT_FLOAT_EQ(mouse.GetSensitivity(), 4.0f);
}

TEST_F(MouseTest, FortyPixelsRightIsTenDegreesAndTheCursorGoesBack) {
    mouse.Init();
    Move(40, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 10.0f);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 0.0f);
    EXPECT_EQ(input.cursor.x, 500) << "pinned to the centre after every poll";
    Move(-8, 12);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 8.0f);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 3.0f);
    Move(0, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 8.0f) << "no movement, no change";
}

TEST_F(MouseTest, VerticalAngleStopsAtThirtyAndMinusFive) {
    mouse.Init();
    Move(0, 1000);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 30.0f);
    Move(0, -40);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 20.0f) << "the clamp leaves no hidden overshoot";
    Move(0, -1000);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), -5.0f);
}

TEST_F(MouseTest, HorizontalAngleSnapsToZeroPastThreeHundredSixty) {
    mouse.Init();
    Move(1436, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 359.0f);
    Move(4, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 360.0f) << "exactly 360 stays";
    Move(8, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 0.0f) << "a reset, not a wrap to 2";
    Move(-1448, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 0.0f);
}

TEST_F(MouseTest, PadRightThumbTurnsAfterItsDeadZone) {
    mouse.Init();
    XINPUT_GAMEPAD pad{};
    pad.sThumbRX = 16384;
    pad.sThumbRY = -16384;  // pushed down: looks down like the mouse moving down
    input.pads[0] = pad;
    pads.Update();
    mouse.Update(pads);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 1.25f);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 0.75f);

    pad.sThumbRX = 8000;  // inside the right stick's dead zone
    pad.sThumbRY = 0;
    input.pads[0] = pad;
    pads.Update();
    mouse.Update(pads);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 1.25f);
}

TEST_F(MouseTest, CursorIsHiddenOnceAndNotToldAgainEveryFrame) {
    const int before = CursorCounter();
    mouse.Init();
    for (int i = 0; i < 5; ++i) Move(1, 1);
    EXPECT_EQ(CursorCounter(), before - 1);
    mouse.SetCursorVisible(true);
    Move(0, 0);
    EXPECT_EQ(CursorCounter(), before);
}

TEST_F(MouseTest, UnfocusedWindowLeavesTheCursorAlone) {
    mouse.Init();
    input.focused = false;
    input.warps.clear();
    Move(300, 200);
    Move(-50, 10);
    EXPECT_TRUE(input.warps.empty()) << "the cursor belongs to the other window now";
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 0.0f);

    // Coming back: where the cursor wandered is not a camera movement; the next moves are.
    input.focused = true;
    Move(0, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 0.0f);
    EXPECT_EQ(input.cursor.x, 500);
    Move(20, 0);
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 5.0f);
}

TEST_F(MouseTest, RecenterClearsBothAnglesAndFollowsAMovedWindow) {
    mouse.Init();
    Move(40, 40);
    MoveWindow(window, 200, 100, 800, 600, false);
    Move(0, 0);
    EXPECT_EQ(input.cursor.x, 600) << "the centre follows the window";
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 10.0f) << "moving the window is not moving the mouse";
    input.cursor = POINT{0, 0};
    mouse.Recenter();
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), 0.0f);
    EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), 0.0f);
    EXPECT_EQ(input.cursor.x, 600);
    EXPECT_EQ(input.cursor.y, 400);
}

}  // namespace
