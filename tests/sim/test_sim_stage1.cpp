// Stage 1 through the runner: the solve script (tests/sim/playthrough/stage1.txt) plays it from the
// start to the goal, and each lesson happens on the way, in order; a player who tries the closed door
// before the box is on its switch, or the gun before taking it, gets nowhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/DumpLines.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

// One object of a dumped frame: its JSON text.
using Object = std::string;

struct Frame {
    int scene = 0;
    std::vector<Object> objects;
    std::string fade;
};

class SimStage1 : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veldorin_stage1_" + std::to_string(::getpid()));
        // Links to the built content: the run writes only "save.dat" of its own.
        LinkContentTree(root);
        fs::remove(root / "save.dat");
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }

    std::vector<Frame> Run(const fs::path& script, int frames) {
        const fs::path dump = root / "dump.jsonl";
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                             " --scene 2 --stage 0 --frames " + std::to_string(frames) + " --input " +
                                             script.string() + " --dump " + dump.string());
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<Frame> out;
        std::istringstream in(ReadFile(dump.string()));
        for (std::string line; std::getline(in, line);) {
            Frame f;
            f.scene = Int(line, "scene");
            const size_t fade = line.find("\"fade\":");
            f.fade = line.substr(fade, line.find('}', fade) - fade);
            f.objects = DumpObjects(line);
            out.push_back(f);
        }
        return out;
    }
    static int Int(const std::string& text, const std::string& name) { return DumpInt(text, name); }
    static float Pos(const Object& o, int axis) { return static_cast<float>(DumpPos(o, axis)); }
    // The n-th object of the class in list order, or an empty text.
    static Object Nth(const Frame& f, const std::string& cls, int n = 0) {
        for (const Object& o : f.objects)
            if (o.find("\"class\":\"" + cls + "\"") != std::string::npos && n-- == 0) return o;
        return {};
    }
    // The first frame (from 1) from which the condition holds, or -1.
    static int First(const std::vector<Frame>& frames, const std::function<bool(const Frame&)>& holds) {
        for (size_t i = 0; i < frames.size(); ++i)
            if (holds(frames[i])) return static_cast<int>(i) + 1;
        return -1;
    }

    fs::path root;
};

TEST_F(SimStage1, TheSolveScriptPlaysEveryLessonInOrderAndReachesTheGoal) {
    const std::vector<Frame> f = Run(fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough/stage1.txt", 2300);
    ASSERT_EQ(f.size(), 2300u);
    auto player = [](const Frame& x) { return Nth(x, "Player"); };
    // Walk and jump: the player leaves the yard (floor -1.2) for the hall's floor.
    const int up = First(f, [&](const Frame& x) { return Pos(player(x), 1) > -0.1f && Int(player(x), "inAir") == 0; });
    // The box pushed onto the spring switch holds it down, and door 1 opens.
    const int door1 = First(f, [](const Frame& x) { return Int(Nth(x, "CDoor", 0), "open") == 1; });
    const int chest = First(f, [](const Frame& x) { return Int(Nth(x, "CChest"), "state") == 1; });
    const int gun = First(f, [&](const Frame& x) { return Int(player(x), "containers") == 2; });
    const int frozen = First(f, [](const Frame& x) { return Int(Nth(x, "CWoodBox", 1), "freezeAmount") == 100; });
    const int burst = First(f, [](const Frame& x) { return Int(Nth(x, "CWoodBox", 1), "breaking") == 1; });
    const int latched = First(f, [](const Frame& x) { return Int(Nth(x, "CSwitch", 1), "fullyPressed") == 1; });
    const int door2 = First(f, [](const Frame& x) { return Int(Nth(x, "CDoor", 1), "open") == 1; });
    const int slide = First(f, [&](const Frame& x) { return Int(player(x), "groundKind") == 3; });
    const int across =
        First(f, [&](const Frame& x) { return Pos(player(x), 2) > 71.0f && Int(player(x), "inAir") == 0; });
    const int goal = First(f, [](const Frame& x) { return Int(Nth(x, "CGoal"), "reached") == 1; });
    const int title = First(f, [](const Frame& x) { return x.scene == 1; });
    const std::vector<int> order = {up, door1, chest, gun, frozen, burst, door2, slide, across, goal, title};
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_GT(order[i], 0) << "step " << i;
        if (i > 0) {
            EXPECT_GT(order[i], order[i - 1]) << "step " << i;
        }
    }
    EXPECT_GT(latched, frozen);
    EXPECT_LE(latched, door2) << "the door follows its switch";
    // The chest and the gun need the reach, and the gun appears in the player's hand with the item gone.
    EXPECT_EQ(Nth(f[gun - 1], "CItem"), "");
    EXPECT_NE(Nth(f[gun - 3], "CItem"), "");
    EXPECT_EQ(Int(Nth(f[door1 - 1], "CSwitch", 0), "fullyPressed"), 1);
    // Door 1 stays open: the box keeps its spring switch down for the rest of the stage.
    EXPECT_EQ(Int(Nth(f[goal - 1], "CDoor", 0), "open"), 1);
    // The burst box re-forms where it was placed, thawed; the latching switch stays down.
    const Frame& later = f[goal - 1];
    EXPECT_NEAR(Pos(Nth(later, "CWoodBox", 1), 2), 41.0f, 1e-3f);
    EXPECT_EQ(Int(Nth(later, "CWoodBox", 1), "freezeAmount"), 0);
    EXPECT_EQ(Int(Nth(later, "CSwitch", 1), "fullyPressed"), 1);
    // The long jump: in the air over the pit from the ice, never down in it.
    for (int i = slide; i < across; ++i) EXPECT_GT(Pos(player(f[i - 1]), 1), -0.5f) << "frame " << i;
    // The goal fades to black and the title follows; the progress is saved.
    EXPECT_EQ(goal, 2231) << "the frame a chained playthrough relies on";
    EXPECT_EQ(title, 2296);
    EXPECT_NE(f[goal - 1].fade.find("\"mode\":2"), std::string::npos) << f[goal - 1].fade;
    EXPECT_EQ(ReadFile((root / "save.dat").string()), "2\n");
}

TEST_F(SimStage1, AWinIsKeptThroughEscInTheGoalsFadeAndAReplayNeverLowersTheProgress) {
    // The solve script with Esc pressed while the screen darkens after the goal.
    const fs::path solve = fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough/stage1.txt";
    std::ofstream(root / "esc.txt") << ReadFile(solve.string()) << "2240-2245 ESC\n";
    for (const auto& [stored, expected] : {std::pair<const char*, const char*>{nullptr, "2\n"}, {"3\n", "3\n"}}) {
        if (stored) std::ofstream(root / "save.dat") << stored;
        else fs::remove(root / "save.dat");
        const std::vector<Frame> f = Run(root / "esc.txt", 2300);
        ASSERT_EQ(f.size(), 2300u);
        EXPECT_EQ(First(f, [](const Frame& x) { return x.scene == 1; }), 2296) << "back through the goal's fade";
        EXPECT_EQ(ReadFile((root / "save.dat").string()), expected);
    }
}

TEST_F(SimStage1, TheClosedDoorAndTheGunBeforeItsItemLeadNowhere) {
    // Up the ledge, then straight at door 1: pushing and jumping at it; then the gun button, which
    // does nothing yet; then standing on the switch until the door is open and running for it (over
    // the box lane's east rail both ways).
    std::ofstream(root / "wrong.txt") << "1-130 W\n100 SPACE\n140-174 D\n176-330 W\n250 SPACE\n300 SPACE\n"
                                         "335-420 LBUTTON\n425-440 S\n445-530 A\n490 SPACE\n700-785 D\n701 SPACE\n"
                                         "786-960 W\n";
    const std::vector<Frame> f = Run(root / "wrong.txt", 960);
    ASSERT_EQ(f.size(), 960u);
    float furthest = -100.0f;
    for (const Frame& x : f) {
        const Object p = Nth(x, "Player");
        furthest = std::max(furthest, Pos(p, 2));
        EXPECT_EQ(Int(p, "aim"), 0) << "no gun to raise";
        EXPECT_EQ(Int(p, "containers"), 1);
        EXPECT_EQ(Nth(x, "ColdObject"), "") << "no ice laid";
    }
    EXPECT_LT(furthest, 19.0f) << "never past door 1";
    // The player's weight opened the door while it stood on the switch, but stepping off shut it again.
    EXPECT_GT(First(f, [](const Frame& x) { return Int(Nth(x, "CDoor", 0), "open") == 1; }), 0);
    EXPECT_EQ(Int(Nth(f.back(), "CDoor", 0), "open"), 0);
    EXPECT_EQ(Int(Nth(f.back(), "CChest"), "state"), 0);
    EXPECT_NEAR(Pos(Nth(f.back(), "CWoodBox", 0), 2), 14.0f, 1e-3f) << "the box was never pushed";
}

}  // namespace
