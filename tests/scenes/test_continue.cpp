// The closing picture: how long it stays, what ends it, and where it is drawn.
#include <gtest/gtest.h>

#include <cstring>

#include "app/Application.h"
#include "app/GamePad.h"
#include "graphics/Texture.h"
#include "scenes/Continue.h"
#include "tests/support/FakeInput.h"
#include "tests/support/HeadlessGraphics.h"
#include "tests/support/Ran.h"

namespace {

class ContinueTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        StartDevice();
        Application::GetInstance().nextScene = SCENE_NONE;
        scene.Initialize();
    }
    void TearDown() override {
        scene.Finalize();
        Application::GetInstance().nextScene = SCENE_NONE;
        ContentTreeTest::TearDown();
    }
    // Updates until the scene asks for the title; the update count, or 0 within the limit.
    int UpdatesUntilTitle(int limit) {
        for (int n = 1; n <= limit; ++n) {
            GamePad::GetInstance().Update();
            scene.Update();
            if (Application::GetInstance().nextScene == SCENE_TITLE) return n;
        }
        return 0;
    }
    FakeInput input;
    Continue scene{nullptr};
};

TEST_F(ContinueTest, WithoutInputItEndsOnItsSixHundredAndFirstUpdateAndStartsOverAfter) {
    EXPECT_EQ(UpdatesUntilTitle(700), 601);
    EXPECT_EQ(scene.frames, 0);
}

// A click and B held from the scene before never end it, a new press of either does at once.
TEST_F(ContinueTest, OnlyAPressBegunAfterItAppearsEndsItAndThePictureIsDrawnAt360x540) {
    XINPUT_GAMEPAD pad{};
    pad.wButtons = XINPUT_GAMEPAD_B;
    input.held = {VK_LBUTTON};
    input.pads[0] = pad;
    EXPECT_EQ(UpdatesUntilTitle(700), 601) << "both held from before: only the limit ends it";
    for (const bool byPad : {true, false}) {
        Application::GetInstance().nextScene = SCENE_NONE;
        input.held.clear();
        input.pads[0].reset();
        EXPECT_EQ(UpdatesUntilTitle(1), 0);
        byPad ? (void)(input.pads[0] = pad) : (void)(input.held = {VK_LBUTTON});
        EXPECT_EQ(UpdatesUntilTitle(1), 1) << "pressed anew " << byPad;
    }
    input.held.clear();

    ASSERT_NE(scene.picture, nullptr);
    ASSERT_NE(scene.picture->texture, nullptr) << "the closing picture did not load";
    HeadlessDevice* device = HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice());
    device->ClearCalls();
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    scene.Draw2D();
    sprite->End();
    auto floatOf = [](uint32_t bits) {
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    };
    int draws = 0;
    Ran transforms;
    for (const auto& call : device->Calls()) {
        // The sprite's transform records scale x, scale y and the translation x, y.
        if (transforms.If(call.name == "Sprite.SetTransform")) {
            EXPECT_FLOAT_EQ(floatOf(call.args[2]), 360.0f);
            EXPECT_FLOAT_EQ(floatOf(call.args[3]), 540.0f);
        }
        if (call.name == "Sprite.Draw") ++draws;
    }
    EXPECT_RAN(transforms);
    EXPECT_EQ(draws, 1);
}

}  // namespace
