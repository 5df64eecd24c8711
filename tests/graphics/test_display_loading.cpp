// The start-up load seen through the runner's screenshot of a loading picture. Needs a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "graphics/TextureManager.h"
#include "../support/GraphicsFixture.h"

namespace fs = std::filesystem;

TEST(DisplayLoading, ScreenshotDuringTheStartUpLoadShowsTextAndBar) {
    testsupport::TempDir dir("display_loading");
    const fs::path shot = dir.root / "loading.png";
    // Picture 2 of the start-up load: half of the two-line start-up list is done.
    const fs::path first = dir.root / "first.png";
    const std::string command = std::string(VELDORIN_SIM) + " --render --frames 1 --screenshot 0+2:" + shot.string() +
                                " --screenshot 0+1:" + first.string() + " > sim.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // Read the picture back through the image loader on a headless device.
    ASSERT_TRUE(testsupport::StartGraphics(true));
    const Texture* picture = TextureManager::GetInstance().GetTexture(shot.string());
    ASSERT_NE(picture->texture, nullptr);
    ASSERT_EQ(picture->info.Width, 800u);
    const Texture* firstPicture = TextureManager::GetInstance().GetTexture(first.string());
    ASSERT_NE(firstPicture->texture, nullptr);
    auto countIn = [](const Texture* t, int x0, int y0, int x1, int y1, auto test) {
        const auto& bits = t->texture->Bits(0);
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const uint8_t* p = &bits[(static_cast<size_t>(y) * 800 + x) * 4];  // B, G, R, A
                n += test(p[2], p[1], p[0]) ? 1 : 0;
            }
        }
        return n;
    };
    auto count = [&](int x0, int y0, int x1, int y1, auto test) { return countIn(picture, x0, y0, x1, y1, test); };
    auto white = [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; };
    auto blue = [](int r, int, int b) { return b > 150 && b > r + 60; };
    auto lit = [](int r, int g, int b) { return r + g + b > 0; };
    EXPECT_GT(count(480, 520, 640, 548, white), 100) << "the \"Now Loading\" text";
    EXPECT_GT(count(480, 520, 700, 548, white), countIn(firstPicture, 480, 520, 700, 548, white))
        << "a dot more than on the first picture, which has none";
    EXPECT_GT(count(720, 520, 800, 548, white), 40) << "the percentage";
    EXPECT_GT(count(500, 555, 600, 575, blue), 1000) << "the filled half of the bar";
    EXPECT_EQ(count(700, 558, 740, 572, blue), 0) << "the empty half of the bar";
    EXPECT_EQ(count(0, 0, 800, 500, lit), 0) << "the rest is black";
}

TEST(DisplayLoading, PictureThatNeverCameFailsTheRun) {
    testsupport::TempDir dir("display_loading_missing");
    const std::string command = std::string(VELDORIN_SIM) + " --render --frames 1 --screenshot 0+40:" +
                                (dir.root / "never.png").string() + " > sim.log 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(fs::exists(dir.root / "never.png"));
}
