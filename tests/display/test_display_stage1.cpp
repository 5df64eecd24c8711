// Stage 1 on screen at its key moments: the yard at the start, looking up the ledge to door 1; the
// switch held down sliding door 1 open; and the long jump off the ice over the pit toward the goal. The
// last two start the player close to the moment (with the gun) on a copy of the stage's placement.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

class DisplayStage1 : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veldorin_stage1_view_" + std::to_string(::getpid()));
        LinkContentTree(root);
    }
    void TearDown() override {
        if (!HasFailure() && !std::getenv("VELDORIN_KEEP_PICTURES")) fs::remove_all(root);
    }
    // The stage with its player moved to `start` (empty: as placed), the script played, one picture.
    Screenshot Play(const std::string& start, const std::string& script, int frame) {
        if (!start.empty()) {
            const std::string placed = ReadFile(std::string(VELDORIN_SOURCE_DIR) + "/content/Data/txt/Mapdata1.txt");
            const std::string player = "Name(Player)\tPos(" + start + ")\tAngle(0,0,0)\t"
                                       "SkinMesh(data/xfile/Player/player.x)\tContainer(2)";
            fs::remove(root / "Data/txt/Mapdata1.txt");
            std::ofstream(root / "Data/txt/Mapdata1.txt")
                << Pattern("Name\\(Player\\)[^\n]*").Replace(placed, player);
        }
        std::ofstream(root / "input.txt") << script;
        const fs::path picture = root / ("shot" + std::to_string(frame) + ".png");
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                             " --render --shots-only --scene 2 --stage 0 --frames " + std::to_string(frame) +
                                             " --input " + (root / "input.txt").string() + " --screenshot " +
                                             std::to_string(frame) + ":" + picture.string());
        EXPECT_EQ(run.status, 0) << run.err;
        Screenshot shot;
        EXPECT_TRUE(shot.Load(picture.string())) << picture;
        return shot;
    }
    template <typename Accept>
    static int Count(const Screenshot& s, int x0, int y0, int x1, int y1, Accept accept) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += accept(s.At(x, y)) ? 1 : 0;
        return n;
    }
    static bool Icy(const uint8_t* p) { return p[2] > 170 && p[2] - p[0] > 45; }
    static bool Warm(const uint8_t* p) { return p[0] > 150 && p[0] - p[2] > 60; }
    static bool Green(const uint8_t* p) { return p[1] > 90 && p[1] - p[0] > 40 && p[1] > p[2]; }

    fs::path root;
};

TEST_F(DisplayStage1, TheYardLeadsUpTheLedgeToTheFirstDoor) {
    const Screenshot s = Play("", "", 3);
    ASSERT_EQ(s.width, 800);
    // Blue-grey walls left and right, a warm path and door ahead, a pine on the right.
    EXPECT_GT(Count(s, 0, 50, 150, 250, Icy) + Count(s, 650, 50, 800, 250, [](const uint8_t* p) {
                  return p[2] > 170 && p[2] > p[0] + 20;
              }), 8000);
    EXPECT_GT(Count(s, 250, 420, 550, 600, Warm), 2000) << "the path underfoot";
    EXPECT_GT(Count(s, 400, 150, 520, 250, Warm), 1500) << "door 1's frame and lanterns";
    EXPECT_GT(Count(s, 580, 130, 780, 330, Green), 4000) << "the pine";
}

TEST_F(DisplayStage1, StandingOnTheSwitchSlidesDoorOneOpen) {
    // On the switch from the start, the camera turned right toward the door: the plate fully down on
    // frame 60, the door half open by frame 110.
    const Screenshot s = Play("-3.5,0,17.7", "1 MOUSE=220,0\n", 110);
    EXPECT_GT(Count(s, 0, 0, 800, 600, Warm), 4000) << "the door and its frame";
    EXPECT_GT(Count(s, 250, 200, 550, 500, [](const uint8_t* p) { return p[2] > 120; }), 10000) << "the hall";
}

TEST_F(DisplayStage1, TheLongJumpOffTheIceClearsThePit) {
    // Ice laid before the pit's edge, slid onto, and a jump while sliding: in the air over the pit.
    const Screenshot s = Play("2.45,0,61.54", "1-76 LBUTTON\n80-200 W\n125 SPACE\n", 132);
    EXPECT_GT(Count(s, 0, 0, 800, 600, Icy), 3000) << "the icy far side and goal court";
    EXPECT_GT(Count(s, 0, 0, 800, 600, [](const uint8_t* p) { return p[0] < 50 && p[1] < 60 && p[2] < 90; }), 500)
        << "the dark pit below";
}

}  // namespace
