// The fade: the timings of the fade to black and of the cinema bars, camera control during the fade
// to black, and what is drawn (read back from the headless device's record of sprite draws).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/Application.h"
#include "app/Mouse.h"
#include "graphics/Camera.h"
#include "graphics/TextureManager.h"
#include "scenes/Fade.h"
#include "tests/support/FakeInput.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

float FloatOf(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// One sprite draw: where it went, how far it was stretched, and its colour.
struct Layer {
    float scaleX, scaleY, y;
    uint32_t colour;
};

class FadeTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        device = &StartDevice();
        device->StopRecording();
        Application::GetInstance().camera = &camera;
        Mouse::GetInstance().SetWindow(window);
        // The fade is one for the process: every test starts it at rest.
        fade().mode = 0;
        fade().Update();
    }
    void TearDown() override {
        Application::GetInstance().camera = nullptr;
        TextureManager::GetInstance().ReleaseAll();
        ContentTreeTest::TearDown();
    }

    // Runs updates until the given count of updates since the effect started.
    void UpdateTo(int count) {
        while (updates < count) {
            fade().Update();
            ++updates;
        }
    }
    static Fade& fade() { return Fade::GetInstance(); }

    // The fade's draw inside a sprite batch, as the sprite draws it made.
    std::vector<Layer> Drawn() {
        ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
        device->ClearCalls();
        device->StartRecording();
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        fade().Draw();
        sprite->End();
        device->StopRecording();
        std::vector<Layer> layers;
        Layer current{};
        for (const DeviceCall& call : device->Calls()) {
            if (call.name == "Sprite.SetTransform") {
                current.scaleX = FloatOf(call.args[0]);
                current.scaleY = FloatOf(call.args[1]);
                current.y = FloatOf(call.args[3]);
                EXPECT_EQ(FloatOf(call.args[2]), 0.0f);
            } else if (call.name == "Sprite.Draw") {
                current.colour = call.args[4];
                layers.push_back(current);
            }
        }
        return layers;
    }
    // Scale that stretches the black image to the given size.
    float ScaleX() const { return 800.0f / static_cast<float>(fade().black->info.Width); }
    float ScaleY(float height) const { return height / static_cast<float>(fade().black->info.Height); }

    void ExpectLayer(const Layer& layer, float y, float height, uint32_t colour, const char* what) {
        EXPECT_FLOAT_EQ(layer.scaleX, ScaleX()) << what;
        EXPECT_FLOAT_EQ(layer.scaleY, ScaleY(height)) << what;
        EXPECT_FLOAT_EQ(layer.y, y) << what;
        EXPECT_EQ(layer.colour, colour) << what;
    }

    FakeInput input;
    Camera camera;
    HeadlessDevice* device = nullptr;
    int updates = 0;
};

}  // namespace

TEST_F(FadeTest, FadeToBlackIsBlackOnItsSixtyFourthUpdateAndOverOnItsHundredFiftieth) {
    fade().mode = 2;
    UpdateTo(1);
    EXPECT_EQ(fade().alpha, 4);
    UpdateTo(63);
    EXPECT_EQ(fade().alpha, 252);
    EXPECT_EQ(fade().phase, 0);
    UpdateTo(64);
    EXPECT_EQ(fade().alpha, 255);
    EXPECT_EQ(fade().phase, 1) << "an object waiting for the black screen acts in this frame";
    UpdateTo(65);
    EXPECT_EQ(fade().alpha, 252);
    UpdateTo(149);
    EXPECT_EQ(fade().alpha, 0);
    EXPECT_EQ(fade().mode, 2) << "alpha 0 is not below 0 yet";
    EXPECT_EQ(fade().phase, 1);
    UpdateTo(150);
    EXPECT_EQ(fade().mode, 0);
    EXPECT_EQ(fade().phase, 0);
    EXPECT_EQ(fade().alpha, 0);
    UpdateTo(160);  // idle afterwards: nothing moves
    EXPECT_EQ(fade().mode, 0);
    EXPECT_EQ(fade().alpha, 0);
}

TEST_F(FadeTest, CameraControlIsOffThroughoutTheFadeToBlackAndBackOnWithACentredMouseAfter) {
    camera.mouseControl = true;
    fade().mode = 2;
    UpdateTo(1);
    EXPECT_FALSE(camera.mouseControl);
    // Whoever turns it on in between, each frame of the effect turns it off again.
    camera.mouseControl = true;
    UpdateTo(100);
    EXPECT_FALSE(camera.mouseControl);

    // The mouse has moved meanwhile; the end of the fade clears its angles and re-centres the cursor.
    Mouse& mouse = Mouse::GetInstance();
    mouse.Init();
    input.cursor.x += 40;
    input.cursor.y += 20;
    mouse.Update();
    ASSERT_NE(mouse.GetHorizontalAngle(), 0.0f);
    ASSERT_NE(mouse.GetVerticalAngle(), 0.0f);
    input.cursor = POINT{3, 4};
    input.warps.clear();
    UpdateTo(149);
    EXPECT_FALSE(camera.mouseControl);
    EXPECT_TRUE(input.warps.empty());
    UpdateTo(150);
    EXPECT_TRUE(camera.mouseControl);
    EXPECT_EQ(mouse.GetHorizontalAngle(), 0.0f);
    EXPECT_EQ(mouse.GetVerticalAngle(), 0.0f);
    ASSERT_EQ(input.warps.size(), 1u);
    EXPECT_EQ(input.cursor.x, mouse.GetCentre().x);
    EXPECT_EQ(input.cursor.y, mouse.GetCentre().y);
}

TEST_F(FadeTest, BarsAreInAfterThirtyHoldAndLeaveFromTheEightyFirstUpdate) {
    camera.mouseControl = true;
    fade().mode = 1;
    UpdateTo(1);
    EXPECT_FLOAT_EQ(fade().barHeight, 2.0f);
    UpdateTo(29);
    EXPECT_FLOAT_EQ(fade().barHeight, 58.0f);
    UpdateTo(30);
    EXPECT_FLOAT_EQ(fade().barHeight, 60.0f);
    UpdateTo(60);
    EXPECT_FLOAT_EQ(fade().barHeight, 60.0f);
    UpdateTo(80);
    EXPECT_FLOAT_EQ(fade().barHeight, 60.0f);
    EXPECT_EQ(fade().phase, 0);
    UpdateTo(81);
    EXPECT_FLOAT_EQ(fade().barHeight, 57.0f);
    EXPECT_EQ(fade().phase, 1);
    UpdateTo(90);
    EXPECT_FLOAT_EQ(fade().barHeight, 30.0f);
    UpdateTo(99);
    EXPECT_FLOAT_EQ(fade().barHeight, 3.0f);
    EXPECT_EQ(fade().mode, 1);
    UpdateTo(100);
    EXPECT_EQ(fade().mode, 0);
    EXPECT_FLOAT_EQ(fade().barHeight, 0.0f);
    EXPECT_FLOAT_EQ(fade().barTimer, 0.0f);
    // The bars never touch the camera, and the alpha layer stays clear.
    EXPECT_TRUE(camera.mouseControl);
    EXPECT_EQ(fade().alpha, 0);
    // The phase stays 1 until the next idle update puts everything at rest.
    EXPECT_EQ(fade().phase, 1);
    UpdateTo(101);
    EXPECT_EQ(fade().phase, 0);
}

TEST_F(FadeTest, IdleUpdatePutsEveryValueAtRest) {
    fade().barHeight = 33;
    fade().barTimer = 12;
    fade().phase = 1;
    fade().alpha = 99;
    fade().Update();
    EXPECT_EQ(fade().barHeight, 0.0f);
    EXPECT_EQ(fade().barTimer, 0.0f);
    EXPECT_EQ(fade().phase, 0);
    EXPECT_EQ(fade().alpha, 0);
    // A new fade to black after an interrupted one starts from clear.
    fade().mode = 2;
    fade().Update();
    EXPECT_EQ(fade().alpha, 4);
}

TEST_F(FadeTest, BlackLayerIsDrawnEveryFrameEvenWhenIdle) {
    // Drawn first: an earlier test may have emptied the texture cache, and drawing fetches anew.
    std::vector<Layer> layers = Drawn();
    ASSERT_NE(fade().black, nullptr);
    ASSERT_NE(fade().black->texture, nullptr) << "Black.png is in the content tree";
    ASSERT_EQ(layers.size(), 1u);
    ExpectLayer(layers[0], 0, 600, 0x00FFFFFFu, "idle: fully transparent");

    fade().mode = 2;
    UpdateTo(64);
    layers = Drawn();
    ASSERT_EQ(layers.size(), 1u);
    ExpectLayer(layers[0], 0, 600, 0xFFFFFFFFu, "black reached");
    UpdateTo(100);
    layers = Drawn();
    ASSERT_EQ(layers.size(), 1u);
    ExpectLayer(layers[0], 0, 600, (static_cast<uint32_t>(255 - 36 * 3) << 24) | 0xFFFFFFu, "fading back");
}

TEST_F(FadeTest, BarsAreDrawnAtTheTopAndBottomEdgesOverTheBlackLayer) {
    fade().mode = 1;
    UpdateTo(30);
    std::vector<Layer> layers = Drawn();
    ASSERT_EQ(layers.size(), 3u);
    ExpectLayer(layers[0], 0, 600, 0x00FFFFFFu, "black layer first");
    ExpectLayer(layers[1], 0, 60, 0xFFFFFFFFu, "top bar fully in");
    ExpectLayer(layers[2], 540, 60, 0xFFFFFFFFu, "bottom bar fully in");

    UpdateTo(90);
    layers = Drawn();
    ASSERT_EQ(layers.size(), 3u);
    ExpectLayer(layers[1], -30, 60, 0xFFFFFFFFu, "top bar half out");
    ExpectLayer(layers[2], 570, 60, 0xFFFFFFFFu, "bottom bar half out");

    UpdateTo(100);
    EXPECT_EQ(Drawn().size(), 1u) << "the bars are gone with the effect";
}
