// The second stage on screen at its key moments: the entry hall with its red carpet to the archways,
// the eagle statue rolled into the archway the player walks up to, and the fire lane breathing across the
// statue hall. Short runs with the player placed close to each moment keep the rendered frames few.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

class DisplayStage2 : public ::testing::Test {
protected:
    void TearDown() override {
        content.keep = HasFailure() || std::getenv("VELDORIN_KEEP_PICTURES");
    }

    // Moves the player's start in the stage's own placement file (empty keeps it).
    void StartPlayerAt(const std::string& position) {
        const fs::path file = root / "Data/txt/Mapdata2.txt";
        std::stringstream text;
        text << std::ifstream(file).rdbuf();
        const std::string moved = Pattern(R"(Name\(Player\)\tPos\([^)]*\))").Replace(text.str(), "Name(Player)\tPos(" + position + ")");
        ASSERT_NE(moved, text.str());
        content.Write("Data/txt/Mapdata2.txt") << moved;
    }
    Screenshot Play(const std::string& script, int frames) {
        content.Write("input.txt") << script;
        const fs::path picture = root / ("shot" + std::to_string(++runs) + ".png");
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                             " --render --shots-only --scene 2 --stage 1 --frames " + std::to_string(frames) +
                                             " --input " + (root / "input.txt").string() + " --screenshot " +
                                             std::to_string(frames) + ":" + picture.string());
        EXPECT_EQ(run.status, 0) << run.err;
        Screenshot shot;
        EXPECT_TRUE(shot.Load(picture.string()));
        return shot;
    }
    template <typename Accept>
    static int Count(const Screenshot& s, int x0, int y0, int x1, int y1, Accept accept) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (accept(s.At(x, y))) ++n;
        return n;
    }
    static bool Carpet(const uint8_t* p) { return p[0] > 150 && p[1] < 120 && p[2] < 130; }
    static bool PaleStone(const uint8_t* p) { return p[2] > 150 && p[2] >= p[0]; }
    static bool Grey(const uint8_t* p) {
        return p[0] > 70 && p[0] < 210 && std::abs(p[0] - p[1]) < 16 && std::abs(p[1] - p[2]) < 22;
    }
    static bool Fiery(const uint8_t* p) { return p[0] > 200 && p[0] - p[2] > 80; }

    ScratchContent content{"stage2_shots"};
    const fs::path& root = content.root;
    int runs = 0;
};

TEST_F(DisplayStage2, TheEntryHallShowsTheWayToTheArchways) {
    const Screenshot hall = Play("", 5);
    // The red carpet runs from the player's feet to the archway wall; walls and floor are pale stone.
    EXPECT_GT(Count(hall, 300, 450, 500, 600, Carpet), 10000);
    EXPECT_GT(Count(hall, 200, 300, 600, 320, Carpet), 1000) << "the cross carpet before the archways";
    EXPECT_GT(Count(hall, 0, 100, 800, 450, PaleStone), 100000);
}

TEST_F(DisplayStage2, TheEagleStatueRollsIntoTheArchwayAhead) {
    // Started in front of the east archway, the statue rolls across from the middle to stand in it.
    StartPlayerAt("3.5,0,10.3");
    const Screenshot blocked = Play("", 45);
    EXPECT_GT(Count(blocked, 330, 215, 470, 285, Grey), 600) << "the grey eagle stands in the archway";
}

TEST_F(DisplayStage2, FireSweepsAcrossTheStatueHall) {
    StartPlayerAt("-2.8,0,16");
    const Screenshot fire = Play("1-80 W\n", 80);
    EXPECT_GT(Count(fire, 0, 0, 800, 600, Fiery), 300) << "flames in the air";
}

}  // namespace
