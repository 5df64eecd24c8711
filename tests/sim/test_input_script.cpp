// Scripted input: the script's rules and how its frames reach the platform's devices.
#include <gtest/gtest.h>

#include "platform/input/Input.h"
#include "sim/InputScript.h"
#include "sim/ScriptedInput.h"

namespace {

InputScript Parsed(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(script.Parse(text, error)) << error;
    return script;
}

std::string ErrorOf(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(text, error)) << "accepted: " << text;
    return error;
}

TEST(InputScript, RangesHoldTheirTokensInclusively) {
    const InputScript script = Parsed("# walk forward a while\n3-5 W SPACE\n\n5 A   # overlaps\n");
    EXPECT_FALSE(script.At(2).keys['W']);
    EXPECT_TRUE(script.At(3).keys['W']);
    EXPECT_TRUE(script.At(5).keys['W']);
    EXPECT_TRUE(script.At(5).keys[VK_SPACE]);
    EXPECT_TRUE(script.At(5).keys['A']);
    EXPECT_FALSE(script.At(4).keys['A']);
    EXPECT_FALSE(script.At(6).keys['W']);
    EXPECT_FALSE(script.UsesPad());
}

TEST(InputScript, PadTokensConnectThePadAndThumbsTakeTheLastLine) {
    const InputScript script = Parsed("1-10 LX=5000 LY=-32768 PAD_A\n4 LX=-7 PAD_RSHOULDER PAD_UP\n2 MOUSE=40,0\n2 MOUSE=-5,3\n");
    EXPECT_TRUE(script.UsesPad());
    const FrameInput first = script.At(1);
    EXPECT_EQ(first.pad.sThumbLX, 5000);
    EXPECT_EQ(first.pad.sThumbLY, -32768);
    EXPECT_EQ(first.pad.wButtons, XINPUT_GAMEPAD_A);
    const FrameInput fourth = script.At(4);
    EXPECT_EQ(fourth.pad.sThumbLX, -7);
    EXPECT_EQ(fourth.pad.sThumbLY, -32768) << "a thumb the later line leaves alone keeps its value";
    EXPECT_EQ(fourth.pad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_RIGHT_SHOULDER | XINPUT_GAMEPAD_DPAD_UP);
    EXPECT_EQ(script.At(2).mouseDx, 35) << "movements of one frame add up";
    EXPECT_EQ(script.At(2).mouseDy, 3);
    EXPECT_EQ(script.At(3).mouseDx, 0);
}

TEST(InputScript, MalformedLinesNameTheirLine) {
    EXPECT_EQ(ErrorOf("1 W\n2 JUMP\n").rfind("2: unknown token 'JUMP'", 0), 0u);
    EXPECT_EQ(ErrorOf("0 W\n").rfind("1:", 0), 0u) << "frames start at 1";
    EXPECT_EQ(ErrorOf("5-3 W\n").rfind("1:", 0), 0u) << "a range runs forwards";
    EXPECT_EQ(ErrorOf("x-3 W\n").rfind("1:", 0), 0u);
    EXPECT_EQ(ErrorOf("\n\n7\n").rfind("3: no input tokens", 0), 0u);
    EXPECT_EQ(ErrorOf("1 LX=40000\n").rfind("1:", 0), 0u) << "thumbs are 16-bit";
    EXPECT_EQ(ErrorOf("1 LX=12abc\n").rfind("1:", 0), 0u);
    EXPECT_EQ(ErrorOf("1 MOUSE=40\n").rfind("1:", 0), 0u);
    EXPECT_EQ(ErrorOf("1 w\n").rfind("1: unknown token 'w'", 0), 0u) << "tokens are upper case";
}

// A frame's mouse movement, summed over the tokens of a line and over overlapping lines, stays within
// 100000 along each axis; past that the script is refused, naming the line that took it there.
TEST(InputScript, MouseTotalsStayInRangeOrTheScriptIsRefused) {
    std::string many = "1";
    for (int i = 0; i < 30000; ++i) many += " MOUSE=100000,-100000";
    const std::pair<std::string, const char*> refused[] = {
        {many + "\n", "1:"},
        {"1 MOUSE=60000,0 MOUSE=50000,0\n", "1:"},
        {"1 W\n2 MOUSE=0,-60000 MOUSE=0,-50000\n", "2:"},
        {"1-10 MOUSE=100000,0\n2 W\n5 MOUSE=1,0\n", "3:"},
        {"1-3 MOUSE=100000,0\n3 MOUSE=-100000,-5\n2-9 MOUSE=0,-99996\n", "3:"},
    };
    for (const auto& [text, line] : refused) {
        const std::string error = ErrorOf(text);
        EXPECT_EQ(error.rfind(line, 0), 0u) << error;
        EXPECT_NE(error.find("100000"), std::string::npos) << error;
    }
    const InputScript script =
        Parsed("1-3 MOUSE=100000,0\n3 MOUSE=-100000,-5\n4-9 MOUSE=100000,0\n9 MOUSE=-7,100000 MOUSE=7,-1\n");
    const int expected[][3] = {{1, 100000, 0}, {3, 0, -5}, {4, 100000, 0}, {9, 100000, 99999}, {10, 0, 0}};
    for (const auto& [frame, dx, dy] : expected) {
        EXPECT_EQ(script.At(frame).mouseDx, dx) << frame;
        EXPECT_EQ(script.At(frame).mouseDy, dy) << frame;
    }
}

TEST(ScriptedInput, KeysReachGetAsyncKeyStateWithThePressBit) {
    const InputScript script = Parsed("2-3 ESC\n5 ESC\n");
    ScriptedInput input(script);
    platform::SetInputSource(&input);

    input.BeginFrame(1);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
    input.BeginFrame(2);
    EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_ESCAPE)), 0x8001) << "down, and pressed since the last query";
    EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_ESCAPE)), 0x8000) << "the press is reported once";
    input.BeginFrame(3);
    EXPECT_EQ(static_cast<uint16_t>(GetAsyncKeyState(VK_ESCAPE)), 0x8000) << "held is not a new press";
    input.BeginFrame(4);
    input.BeginFrame(5);
    input.BeginFrame(6);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 1) << "up now, but pressed since the last query";
    platform::SetInputSource(nullptr);
}

TEST(ScriptedInput, CursorMovesByTheScriptAndStaysWhereTheGamePutsIt) {
    const InputScript script = Parsed("2 MOUSE=40,-3\n");
    ScriptedInput input(script);
    platform::SetInputSource(&input);
    input.BeginFrame(1);
    SetCursorPos(100, 200);
    input.BeginFrame(2);
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 140);
    EXPECT_EQ(p.y, 197);
    input.BeginFrame(3);
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 140);
    platform::SetInputSource(nullptr);
}

TEST(ScriptedInput, OnlyPadZeroIsConnectedAndOnlyWhenTheScriptUsesIt) {
    const InputScript withPad = Parsed("1 PAD_B RY=300\n");
    ScriptedInput input(withPad);
    platform::SetInputSource(&input);
    input.BeginFrame(1);
    XINPUT_STATE state{};
    ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS);
    EXPECT_EQ(state.Gamepad.wButtons, XINPUT_GAMEPAD_B);
    EXPECT_EQ(state.Gamepad.sThumbRY, 300);
    EXPECT_EQ(XInputGetState(1, &state), ERROR_DEVICE_NOT_CONNECTED);
    XINPUT_VIBRATION rumble{1000, 2000};
    EXPECT_EQ(XInputSetState(0, &rumble), ERROR_SUCCESS);
    EXPECT_EQ(input.LastVibration().wRightMotorSpeed, 2000);

    const InputScript keysOnly = Parsed("1 W\n");
    ScriptedInput noPad(keysOnly);
    platform::SetInputSource(&noPad);
    noPad.BeginFrame(1);
    EXPECT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED);
    platform::SetInputSource(nullptr);
}

}  // namespace
