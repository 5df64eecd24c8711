// The test stage drawn on OpenGL through the runner: the map and its scenery fill the view.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"

TEST(DisplayStage, TestStageFrameShowsTheRoomNotAnEmptyScreen) {
    const std::string shot = "/tmp/veldorin_stage_" + std::to_string(::getpid()) + ".png";
    const ProcessResult run =
        RunProcess(std::string(VELDORIN_SIM) + " --render --scene 2 --stage 0 --frames 3 --screenshot 3:" + shot);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=3 scene=2 quit=0");
    Screenshot picture;
    ASSERT_TRUE(picture.Load(shot)) << "no screenshot written";
    const int width = picture.width, height = picture.height;
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 600);
    // The camera looks along the floor from above it: the lower half of the picture is all room.
    size_t black = 0;
    std::set<unsigned> colours;
    for (int y = height / 2; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = picture.At(x, y);
            if (p[0] < 8 && p[1] < 8 && p[2] < 8) ++black;
            colours.insert((p[0] >> 4) << 8 | (p[1] >> 4) << 4 | (p[2] >> 4));
        }
    }
    // Outlines and tile joints are dark, but they are thin lines.
    EXPECT_LT(black, static_cast<size_t>(width * height / 2 / 10));
    // Toon bands, textures, shadows and outlines give many shades, not one flat fill.
    EXPECT_GT(colours.size(), 20u);
    std::remove(shot.c_str());
}
