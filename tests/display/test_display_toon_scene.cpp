// The renderer's picture on the OpenGL device: a test stage drawn through the game's frame (toon
// shading, the shadow map, the edge filter's outlines and the glassy ice patch), read back from the
// back buffer. Needs an X display. The pictures are kept in the temporary folder for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/image/PngWriter.h"
#include "../support/ToonTestScene.h"

namespace {

struct Picture {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    float Luma(int x, int y) const {
        const uint8_t* p = At(x, y);
        return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
    }
    // Average brightness of the (2r+1)^2 square around a pixel: the stone texture averaged out.
    float MeanLuma(int x, int y, int r) const {
        float sum = 0.0f;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) sum += Luma(x + dx, y + dy);
        return sum / static_cast<float>((2 * r + 1) * (2 * r + 1));
    }
    bool NearBlack(int x, int y) const {
        const uint8_t* p = At(x, y);
        return p[0] < 40 && p[1] < 40 && p[2] < 40;
    }
};

std::string PicturePath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("veldorin_" + name + ".png")).string();
}

class DisplayToonScene : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testscene::StartRenderer(VELDORIN_GAME_DIR, window)) << "needs an X display (xvfb-run)";
    }
    void TearDown() override { testscene::StopRenderer(window); }

    // Draws the scene (two frames: the first one compiles the programs) and reads it back; the picture
    // is written as a PNG too.
    Picture Render(const std::string& name) {
        testscene::DrawFrame();
        testscene::DrawFrame();
        Picture picture;
        EXPECT_TRUE(GraphicsDevice::GetInstance().GetDevice()->ReadBackBuffer(picture.rgba, picture.width, picture.height));
        if (!picture.rgba.empty()) platform::WritePng(PicturePath(name), picture.rgba, picture.width, picture.height);
        return picture;
    }

    HWND window = nullptr;
};

// Floor points beside the crate (1 x 1 x 1 at (-2.5, 0, 2), turned 20 degrees): with the light going
// toward -x, -y, +z, the first lies in the crate's shadow, the second in full light nearer the camera.
const D3DXVECTOR3 kCrateShadowFloor(-3.6f, 0.0f, 2.6f);
const D3DXVECTOR3 kLitFloor(-3.4f, 0.0f, 0.6f);
const D3DXVECTOR3 kCrateCentre(-2.5f, 0.5f, 2.0f);

int CountNearBlack(const Picture& p, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += p.NearBlack(x, y);
    return count;
}

TEST_F(DisplayToonScene, ShadedStageWithShadowsAndOutlines) {
    testscene::BuildScene();
    const Picture picture = Render("toon_scene");
    ASSERT_EQ(picture.width, 800);
    ASSERT_EQ(picture.height, 600);

    int lit = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) lit += picture.Luma(x, y) > 30.0f;
    EXPECT_GT(lit, 800 * 600 * 3 / 4) << "most of the picture is stage, not black";

    int sx, sy, lx, ly, cx, cy;
    ASSERT_TRUE(testscene::Project(kCrateShadowFloor, sx, sy));
    ASSERT_TRUE(testscene::Project(kLitFloor, lx, ly));
    ASSERT_TRUE(testscene::Project(kCrateCentre, cx, cy));
    EXPECT_LT(picture.MeanLuma(sx, sy, 3), 0.8f * picture.MeanLuma(lx, ly, 3)) << "shadow at " << sx << "," << sy;

    // The crate's left silhouette against the lit floor carries a dark outline...
    int outline = 0;
    for (int x = cx; x > cx - 70; --x) outline += picture.NearBlack(x, cy);
    EXPECT_GE(outline, 1) << "no outline left of the crate at row " << cy;
    // ...but the open floor does not, and outlines stay thin lines over the stage.
    EXPECT_EQ(CountNearBlack(picture, lx - 10, ly - 10, lx + 11, ly + 11), 0);
    EXPECT_LT(CountNearBlack(picture, 0, 200, 800, 600), 800 * 400 / 40);
}

TEST_F(DisplayToonScene, TheDarkFloorIsTheCratesShadow) {
    testscene::BuildScene();
    const Picture shadowed = Render("toon_scene_shadowed");
    int sx, sy;
    ASSERT_TRUE(testscene::Project(kCrateShadowFloor, sx, sy));
    // The same frame with the crate kept out of the shadow map.
    for (CharacterBase* object : GetObjectList())
        if (object->kind == KIND_BOX && object->Position().x == testscene::kCratePos.x) object->drawParams->castShadow = 0;
    const Picture open = Render("toon_scene_no_crate_shadow");
    EXPECT_LT(shadowed.MeanLuma(sx, sy, 3), 0.8f * open.MeanLuma(sx, sy, 3));
}

TEST_F(DisplayToonScene, TheIcePatchLetsTheFloorShowThrough) {
    testscene::BuildScene(false);
    const Picture floor = Render("toon_scene_no_ice");
    ClearObjects();
    testscene::BuildScene(true);
    const Picture ice = Render("toon_scene_ice");
    int ix, iy;
    ASSERT_TRUE(testscene::Project(testscene::kIcePos, ix, iy));
    // Over the middle of the patch: the ice changes the picture (it is drawn, bluer than the stone)...
    double difference = 0.0, blueShift = 0.0;
    std::vector<double> a, b;
    for (int y = iy - 20; y <= iy + 20; ++y)
        for (int x = ix - 20; x <= ix + 20; ++x) {
            const uint8_t* p = ice.At(x, y);
            const uint8_t* q = floor.At(x, y);
            for (int c = 0; c < 3; ++c) difference += std::abs(p[c] - q[c]);
            blueShift += (p[2] - p[0]) - (q[2] - q[0]);
            a.push_back(ice.Luma(x, y));
            b.push_back(floor.Luma(x, y));
        }
    const double n = static_cast<double>(a.size());
    EXPECT_GT(difference / (3 * n), 12.0) << "the ice patch is not drawn";
    EXPECT_GT(blueShift / n, 10.0);
    // ...and the stone's joints and mottling still show through it: the brightness under the ice
    // follows the brightness of the bare floor.
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
    ma /= n;
    mb /= n;
    double sab = 0, saa = 0, sbb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    EXPECT_GT(sab / std::sqrt(saa * sbb), 0.5) << "the ice hides the floor";
}

}  // namespace
