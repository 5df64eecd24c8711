// The title hub through the runner: doors, launchers and the gun by the saved progress (a hub with
// fewer doors than the progress included), the start click and its latch, a pad button held from the
// start, the intro, Esc quitting, and a stage's goal returning to the title past the logo.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/DumpLines.h"
#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

class SimTitleTest : public ::testing::Test {
protected:
    void TearDown() override {
        content.keep = HasFailure();
    }

    // Runs the game from the title and returns the dump, one line a frame.
    std::vector<std::string> Run(int frames, const std::string& script, const std::string& extra = "") {
        content.Write("input.txt") << script;
        const fs::path dump = root / "dump.jsonl";
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() + " --frames " +
                                             std::to_string(frames) + " --input " + (root / "input.txt").string() +
                                             " --dump " + dump.string() + extra);
        EXPECT_EQ(run.status, 0) << run.err;
        last = run;
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(dump.string()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    static int Field(const std::string& line, const std::string& name) { return DumpInt(line, name); }
    // The "open" flag of every door, in list order.
    static std::vector<int> Doors(const std::string& line) {
        std::vector<int> open;
        for (const PatternMatch& door : Pattern(R"re("class":"CDoor"[^}]*"open":(\d))re").All(line))
            open.push_back(std::stoi(door[1]));
        return open;
    }
    ScratchContent content{"title"};
    const fs::path& root = content.root;
    ProcessResult last;
};

TEST_F(SimTitleTest, TheSavedProgressOpensDoorsAndLaunchersAndHandsOverTheGun) {
    struct Case {
        int progress;
        std::vector<int> doors;
        int containers;
        int launchersOn;
    };
    // The hub has three doors and three launchers: a larger progress opens what there is.
    for (const Case& c : {Case{1, {1, 0, 0}, 1, 1}, Case{2, {1, 1, 0}, 2, 2}, Case{9, {1, 1, 1}, 2, 3}}) {
        content.Write("save.dat") << c.progress << "\n";
        const std::vector<std::string> dump = Run(175, "1 LBUTTON\n");
        ASSERT_EQ(dump.size(), 175u);
        const std::string& end = dump.back();
        EXPECT_EQ(Field(end, "openDoors"), c.progress);
        EXPECT_EQ(Doors(dump.front()), c.doors) << c.progress;
        EXPECT_EQ(Field(end, "containers"), c.containers) << c.progress;
        // Once entered, the first launchers sweep.
        EXPECT_EQ(Field(end, "entered"), 1);
        EXPECT_EQ(Pattern(R"re("class":"CLauncher"[^}]*"on":1)re").All(end).size(), size_t(c.launchersOn)) << c.progress;
    }
}

TEST_F(SimTitleTest, AClickStartsOnceThePadStartsAtOnceAndEscQuitsAtTheNextPass) {
    // Held from frame 20 to 40 and again from 60: one start, on frame 20.
    std::vector<std::string> dump = Run(60, "20-40 LBUTTON\n");
    EXPECT_EQ(Field(dump[18], "started"), 0);
    EXPECT_EQ(Field(dump[19], "started"), 1);
    EXPECT_EQ(Field(dump[19], "logoAlpha"), 255);
    EXPECT_EQ(Field(dump[20], "logoAlpha"), 250);
    EXPECT_EQ(Field(dump[59], "logoAlpha"), 55);
    EXPECT_EQ(Field(dump[59], "entered"), 0);

    dump = Run(5, "1-5 PAD_START\n");
    EXPECT_EQ(Field(dump[0], "started"), 1) << "a pad button held when the title begins";

    dump = Run(50, "30 ESC\n");
    EXPECT_EQ(dump.size(), 30u) << "the loop ends after the frame that saw Esc";
    EXPECT_EQ(Field(dump.back(), "quit"), 1);
    EXPECT_EQ(last.LastLine(), "sim: frames=30 scene=1 quit=1");
}

TEST_F(SimTitleTest, AStagesGoalSavesAndTheTitleSkipsItsLogo) {
    // A stage of the test's own: its goal stands six units straight ahead of the player.
    content.Write("Data/txt/Mapdata1.txt")
        << "Name(Map)\tPos(0,0,0)\tMesh(data/xfile/Map/TestRoom.x)\n"
        << "Name(Player)\tPos(0,0,-6)\tSkinMesh(data/xfile/Player/player.x)\tContainer(1)\n"
        << "Name(CGoal)\tPos(0,0,0)\tAngle(0,180,0)\tMesh(data/xfile/Object/Goal.x)\tState(0)\n";
    const std::vector<std::string> dump = Run(240, "1-200 W\n", " --scene 2 --stage 0");
    int titleFrame = -1;
    for (size_t i = 0; i < dump.size() && titleFrame < 0; ++i)
        if (Field(dump[i], "scene") == 1) titleFrame = static_cast<int>(i);
    ASSERT_GT(titleFrame, 0) << "the goal led back to the title";
    EXPECT_EQ(Field(dump[titleFrame], "stageSelect"), -1);
    EXPECT_EQ(Field(dump[titleFrame], "logoAlpha"), 0);
    EXPECT_EQ(Field(dump[titleFrame], "started"), 1);
    EXPECT_EQ(ReadFile((root / "save.dat").string()), "2\n");
    EXPECT_EQ(Doors(dump[titleFrame]), (std::vector<int>{1, 1, 0}));
}

}  // namespace
