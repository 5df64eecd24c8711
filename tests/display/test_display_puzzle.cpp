// The puzzle objects on screen, each doing its thing on a stage of the test's own: a wood box frozen
// in three stages and bursting against a stone box; a switch held down with its door slid open, a
// flame statue breathing fire, a chest reached for and opened; a stone statue frozen and then encased.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"
#include "tests/support/Screenshot.h"

namespace {

namespace fs = std::filesystem;

class DisplayPuzzle : public ::testing::Test {
protected:
    void TearDown() override {
        content.keep = HasFailure() || std::getenv("VELDORIN_KEEP_PICTURES");
    }

    // Places the stage, plays the script and loads the pictures taken at the given frames.
    std::map<int, Screenshot> Play(const std::string& stage, const std::string& script, int frames,
                                   std::initializer_list<int> shots) {
        content.Write("Data/txt/Mapdata1.txt")
            << "Name(Map)\tPos(0,0,0)\tMesh(data/xfile/Map/TestRoom.x)\tShadow(0)\n"
            << "Name(Player)\tPos(0,0,-6)\tSkinMesh(data/xfile/Player/player.x)\tContainer(2)\n"
            << stage;
        content.Write("input.txt") << script;
        std::string options;
        for (int frame : shots)
            options += " --screenshot " + std::to_string(frame) + ":" + Picture(frame).string();
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                             " --render --shots-only --scene 2 --stage 0 --frames " + std::to_string(frames) +
                                             " --input " + (root / "input.txt").string() + options);
        EXPECT_EQ(run.status, 0) << run.err;
        std::map<int, Screenshot> pictures;
        for (int frame : shots) EXPECT_TRUE(pictures[frame].Load(Picture(frame).string())) << frame;
        ++runs;
        return pictures;
    }
    fs::path Picture(int frame) const {
        return root / ("run" + std::to_string(runs) + "_" + std::to_string(frame) + ".png");
    }
    // Pixels in the rectangle the predicate accepts.
    template <typename Accept>
    static int Count(const Screenshot& s, int x0, int y0, int x1, int y1, Accept accept) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (accept(s.At(x, y))) ++n;
        return n;
    }
    static bool Icy(const uint8_t* p) { return p[2] > 170 && p[2] - p[0] > 45; }
    static bool Fiery(const uint8_t* p) { return p[0] > 200 && p[0] - p[2] > 80; }

    ScratchContent content{"puzzle"};
    const fs::path& root = content.root;
    int runs = 0;
};

TEST_F(DisplayPuzzle, AWoodBoxFreezesInThreeStagesAndBurstsAgainstStone) {
    // Shots from frame 43, every tenth: 20 at 83, 50 at 133, 100 at 233. Then pushed into the stone box.
    auto shots = Play("Name(CWoodBox)\tPos(0,0,-3.5)\tMesh(data/xfile/Object/WoodBox.x)\n"
                      "Name(CStoneBox)\tPos(0,0,-0.8)\tMesh(data/xfile/Object/StoneBox.x)\n",
                      "1-245 LBUTTON\n250-400 W\n", 312, {30, 90, 140, 245, 312});
    // The box sits over the player's shoulders in the middle of the picture: it grows icier.
    auto ice = [&](int frame) { return Count(shots[frame], 300, 150, 500, 330, Icy); };
    EXPECT_LT(ice(30), ice(90));
    EXPECT_LT(ice(90), ice(245));
    EXPECT_GT(ice(245), 4000);
}

TEST_F(DisplayPuzzle, ASwitchHeldDownOpensItsDoorFlamesBurnAndAChestOpens) {
    auto shots = Play("Name(CSwitch)\tPos(0,0,-4.6)\tMesh(data/xfile/Object/SwitchPlate.x)\t"
                      "BaseMesh(data/xfile/Object/SwitchBase.x)\tState(1)\n"
                      "Name(CDoor)\tPos(2.5,0,-1)\tMesh(data/xfile/Object/Door.x)\tState(RIGHT)\tParent(0)\n"
                      "Name(CChest)\tPos(0,0,-2.6)\tAngle(0,180,0)\tMesh(data/xfile/Object/Chest.x)\t"
                      "OpMesh(data/xfile/Object/ChestOpen.x)\n"
                      "Name(CFlameStatue)\tPos(-4,0,1)\tAngle(0,90,0)\tMesh(data/xfile/Statue/FlameStatue.x)\t"
                      "FlameTex(data/Texture/Flame.png)\tTarget(Player)\n",
                      "1-20 W\n150-175 W\n190 LBUTTON\n", 300, {150, 200, 300});
    EXPECT_GT(Count(shots[150], 0, 0, 800, 600, Fiery), 300) << "flames in the air";
    // The cinema bars of the reach, seen at the bottom edge (the top shows the dark sky anyway).
    auto black = [](const uint8_t* p) { return p[0] < 10 && p[1] < 10 && p[2] < 10; };
    EXPECT_GT(Count(shots[200], 0, 582, 800, 600, black), 14000);
    EXPECT_LT(Count(shots[300], 0, 582, 800, 600, black), 1000) << "the bars are gone again";
}

TEST_F(DisplayPuzzle, AStoneStatueFreezesAndIsEncasedInIce) {
    // Shots from frame 43, every tenth: 100 (stopped) at 233, 150 (encased) at 333.
    auto shots = Play("Name(CStoneStatue)\tPos(0,0,-3.5)\tAngle(0,180,0)\tMesh(data/xfile/Statue/Statue_Eagle.x)\t"
                      "ColMesh(data/xfile/Statue/Statue_Eagle_Col.x)\tWheelMesh(data/xfile/Statue/Wheel.x)\t"
                      "Dir(1)\tTarget(Player)\n",
                      "1-340 LBUTTON\n", 340, {30, 340});
    auto ice = [&](int frame) { return Count(shots[frame], 250, 100, 550, 400, Icy); };
    EXPECT_GT(ice(340), ice(30) + 8000);
}

}  // namespace
