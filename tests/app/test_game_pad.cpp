// The pad poll: dead zones, derived bits and edges, where the poll stops, and vibration.
#include <gtest/gtest.h>

#include "app/GamePad.h"
#include "platform/input/SdlAxes.h"
#include "tests/support/FakeInput.h"

namespace {

XINPUT_GAMEPAD Thumbs(SHORT lx, SHORT ly, SHORT rx, SHORT ry) {
    XINPUT_GAMEPAD pad{};
    pad.sThumbLX = lx;
    pad.sThumbLY = ly;
    pad.sThumbRX = rx;
    pad.sThumbRY = ry;
    return pad;
}

TEST(GamePadDeadZone, BothAxesMustLieInsideTheSquare) {
    FakeInput input;
    GamePad pads;
    input.pads[0] = Thumbs(5000, -5000, 5000, -10000);
    pads.Update();
    const XINPUT_GAMEPAD& left = pads.Pad(0).state.Gamepad;
    EXPECT_EQ(left.sThumbLX, 0);
    EXPECT_EQ(left.sThumbLY, 0);
    EXPECT_EQ(left.sThumbRX, 5000) << "one axis outside keeps both";
    EXPECT_EQ(left.sThumbRY, -10000);
    EXPECT_EQ(pads.Pad(0).stickBits, 0b0011);

    // The zones are open intervals and differ between the sticks.
    input.pads[0] = Thumbs(-7849, 0, 8688, -8688);
    pads.Update();
    EXPECT_EQ(pads.Pad(0).state.Gamepad.sThumbLX, -7849);
    EXPECT_EQ(pads.Pad(0).state.Gamepad.sThumbRX, 0);
    EXPECT_EQ(pads.Pad(0).state.Gamepad.sThumbRY, 0);
    EXPECT_EQ(pads.Pad(0).stickBits, 0b1000);
}

TEST(GamePadEdges, PressedAndReleasedOverThreePolls) {
    FakeInput input;
    GamePad pads;
    XINPUT_GAMEPAD held = Thumbs(20000, 0, 0, 0);
    held.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START;
    held.bLeftTrigger = 200;

    input.pads[0] = held;
    pads.Update();
    const PadRecord& pad = pads.Pad(0);
    EXPECT_EQ(pad.buttonsPressed, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START);
    EXPECT_EQ(pad.buttonsReleased, 0);
    EXPECT_EQ(pad.stickPressed, 0b1000);
    EXPECT_EQ(pad.triggerBits, 0b10);
    EXPECT_EQ(pad.triggerEdges, 0b1000) << "rising trigger bits sit two places up";

    held.wButtons = XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_B;
    input.pads[0] = held;
    pads.Update();
    EXPECT_EQ(pad.buttonsPressed, XINPUT_GAMEPAD_B) << "held buttons are not pressed again";
    EXPECT_EQ(pad.buttonsReleased, XINPUT_GAMEPAD_A);
    EXPECT_EQ(pad.stickPressed, 0);
    EXPECT_EQ(pad.triggerEdges, 0);

    input.pads[0] = XINPUT_GAMEPAD{};
    pads.Update();
    EXPECT_EQ(pad.buttonsPressed, 0);
    EXPECT_EQ(pad.buttonsReleased, XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_B);
    EXPECT_EQ(pad.stickReleased, 0b1000);
    EXPECT_EQ(pad.triggerBits, 0);
    EXPECT_EQ(pad.triggerEdges, 0b0010) << "falling trigger bits stay in place";
}

TEST(GamePadPoll, StopsAtTheFirstIndexThatIsNotConnected) {
    FakeInput input;
    GamePad pads;
    XINPUT_GAMEPAD pressed{};
    pressed.wButtons = XINPUT_GAMEPAD_B;
    input.pads[0] = pressed;
    input.pads[1] = pressed;
    pads.Update();
    ASSERT_EQ(pads.Pad(1).state.Gamepad.wButtons, XINPUT_GAMEPAD_B);

    // Pad 0 goes away: it reads as zero, keeps its derived fields, and pad 1 is not read at all.
    input.pads[0].reset();
    input.pads[1] = XINPUT_GAMEPAD{};
    input.reads.clear();
    pads.Update();
    EXPECT_EQ(input.reads, std::vector<DWORD>{0});
    EXPECT_EQ(pads.Pad(0).state.Gamepad.wButtons, 0);
    EXPECT_EQ(pads.Pad(0).state.dwPacketNumber, 0u);
    EXPECT_EQ(pads.Pad(0).buttonsPressed, XINPUT_GAMEPAD_B);
    EXPECT_EQ(pads.Pad(1).state.Gamepad.wButtons, XINPUT_GAMEPAD_B);
    EXPECT_EQ(pads.Pad(1).buttonsPressed, XINPUT_GAMEPAD_B);

    // With both back, the poll goes on until the gap at index 2; index 3 is never asked.
    input.pads[0] = XINPUT_GAMEPAD{};
    input.reads.clear();
    pads.Update();
    EXPECT_EQ(input.reads, (std::vector<DWORD>{0, 1, 2}));
    EXPECT_EQ(pads.Pad(1).buttonsReleased, XINPUT_GAMEPAD_B);
}

TEST(GamePadVibration, SentOnTheNextPollThenCleared) {
    FakeInput input;
    GamePad pads;
    input.pads[0] = XINPUT_GAMEPAD{};
    pads.Pad(0).vibration = XINPUT_VIBRATION{30000, 12000};
    pads.Update();
    ASSERT_FALSE(input.sent.empty());
    EXPECT_EQ(input.sent[0].user, 0u);
    EXPECT_EQ(input.sent[0].left, 30000);
    EXPECT_EQ(input.sent[0].right, 12000);
    EXPECT_EQ(pads.Pad(0).vibration.wLeftMotorSpeed, 0);

    input.sent.clear();
    pads.Update();
    ASSERT_FALSE(input.sent.empty());
    EXPECT_EQ(input.sent[0].left, 0) << "a rumble lasts only while it is written every frame";
    EXPECT_EQ(input.sent[0].right, 0);
}

TEST(GamePadPlatform, SdlAxesTakeTheXInputSignsAndRanges) {
    using platform::ThumbFromSdl;
    using platform::TriggerFromSdl;
    EXPECT_EQ(ThumbFromSdl(-32768, true), 32767) << "SDL's up is negative, XInput's positive";
    EXPECT_EQ(ThumbFromSdl(32767, true), -32767);
    EXPECT_EQ(ThumbFromSdl(-1200, true), 1200);
    EXPECT_EQ(ThumbFromSdl(-32768, false), -32768) << "x keeps its sign";
    EXPECT_EQ(ThumbFromSdl(1200, false), 1200);
    EXPECT_EQ(TriggerFromSdl(0), 0);
    EXPECT_EQ(TriggerFromSdl(32767), 255);
    EXPECT_EQ(TriggerFromSdl(16384), 127);
    EXPECT_EQ(TriggerFromSdl(-5), 0);
}

}  // namespace
