// The title as a player sees it after the logo: the intro half-way, the hub once entered, and the
// closing picture on its black screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"

namespace {

namespace fs = std::filesystem;

bool Lit(const uint8_t* p) { return p[0] + p[1] + p[2] > 150; }

int CountLit(const Screenshot& s, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += Lit(s.At(x, y)) ? 1 : 0;
    return n;
}

TEST(DisplayTitle, TheIntroSwingsIntoTheHubAndTheClosingPictureThanksThePlayer) {
    const fs::path dir = fs::temp_directory_path() / ("veldorin_title_view_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "input.txt") << "20 LBUTTON\n";
    const std::string intro = (dir / "intro.png").string(), hub = (dir / "hub.png").string(),
                      closing = (dir / "closing.png").string();
    ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --render --shots-only --frames 200 --input " +
                                   (dir / "input.txt").string() + " --screenshot 95:" + intro +
                                   " --screenshot 200:" + hub);
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunProcess(std::string(VELDORIN_SIM) + " --render --scene 3 --frames 3 --screenshot 3:" + closing);
    ASSERT_EQ(run.status, 0) << run.err;

    Screenshot picture;
    // The logo has faded by then: the hub fills the picture, the player walking in down the middle.
    for (const std::string& shot : {intro, hub}) {
        ASSERT_TRUE(picture.Load(shot));
        EXPECT_GT(CountLit(picture, 0, 300, 800, 600), 200000) << "look at " << shot;
        int dark = 0;  // outlines and the player's dark trousers, a little right of the middle
        for (int y = 250; y < 550; ++y)
            for (int x = 330; x < 600; ++x) dark += picture.At(x, y)[0] < 60 ? 1 : 0;
        EXPECT_GT(dark, 500) << "look at " << shot;
    }
    // The thanks sit at (360, 540) on black; nothing else is drawn.
    ASSERT_TRUE(picture.Load(closing));
    EXPECT_GT(CountLit(picture, 360, 540, 780, 590), 2000);
    EXPECT_EQ(CountLit(picture, 0, 0, 800, 530), 0);
    if (!HasFailure() && !std::getenv("VELDORIN_KEEP_PICTURES")) fs::remove_all(dir);
}

}  // namespace
