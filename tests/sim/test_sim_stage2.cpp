// The second stage through the runner: the solve script plays it from its first frame to the goal,
// step by step (statue frozen, stone box frozen, slid over the latching switch and burst, door open,
// the fire lane crossed on ice), and the goal saves progress 3 and returns to the title; the wrong
// way (pushing the stone box unfrozen, walking into the fire) leaves the puzzle closed.
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

class SimStage2Test : public ::testing::Test {
protected:
    void TearDown() override {
        content.keep = HasFailure();
    }

    // Enters the second stage directly, plays the script and returns the dump, one line a frame.
    std::vector<std::string> Run(int frames, const fs::path& script) {
        const fs::path dump = root / "dump.jsonl";
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                             " --scene 2 --stage 1 --frames " + std::to_string(frames) +
                                             " --input " + script.string() + " --dump " + dump.string());
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(dump.string()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::vector<std::string> RunText(int frames, const std::string& script) {
        content.Write("input.txt") << script;
        return Run(frames, root / "input.txt");
    }

    // The dumped object of the class (the first one), as its JSON text.
    static std::string Object(const std::string& line, const std::string& cls) {
        const size_t at = line.find("\"class\":\"" + cls + "\"");
        if (at == std::string::npos) return "";
        return line.substr(at, line.find('}', at) - at);
    }
    static double Number(const std::string& text, const std::string& name) { return DumpNumber(text, name); }
    static double Field(const std::string& line, const std::string& cls, const std::string& name) {
        return Number(Object(line, cls), name);
    }
    // One coordinate (0 x, 1 y, 2 z) of the object's position.
    static double Pos(const std::string& line, const std::string& cls, int axis) { return DumpPos(Object(line, cls), axis); }
    // The first frame (from 1) on which the predicate holds, or -1.
    template <typename Pred>
    static int FirstFrame(const std::vector<std::string>& dump, Pred pred) {
        for (size_t i = 0; i < dump.size(); ++i)
            if (pred(dump[i])) return static_cast<int>(i) + 1;
        return -1;
    }

    ScratchContent content{"stage2"};
    const fs::path& root = content.root;
};

TEST_F(SimStage2Test, TheSolveScriptPlaysTheStageToItsGoal) {
    const std::vector<std::string> dump = Run(1460, fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough/stage2.txt");
    ASSERT_EQ(dump.size(), 1460u);
    const auto at = [&](int frame) -> const std::string& { return dump[frame - 1]; };

    // The gun from the start; the statue rolls across to the west archway and is frozen there.
    EXPECT_EQ(Field(at(1), "Player", "containers"), 2);
    EXPECT_NEAR(Pos(at(197), "CStoneStatue", 0), -3.5, 0.05);
    EXPECT_EQ(Field(at(197), "CStoneStatue", "chasing"), 1);
    EXPECT_GE(Field(at(440), "CStoneStatue", "freezeAmount"), 100);
    EXPECT_NEAR(Pos(at(544), "CStoneStatue", 0), -3.5, 0.05) << "frozen, it no longer follows";

    // The stone box frozen through, then slid north over the latching switch into the north wall.
    EXPECT_GE(Field(at(805), "CStoneBox", "freezeAmount"), 70);
    EXPECT_NEAR(Pos(at(805), "CStoneBox", 2), 17.0, 1e-3);
    const int pressed = FirstFrame(dump, [](const std::string& l) { return Field(l, "CSwitch", "fullyPressed") == 1; });
    const int burst = FirstFrame(dump, [](const std::string& l) { return Field(l, "CStoneBox", "breaking") == 1; });
    const int opened = FirstFrame(dump, [](const std::string& l) { return Field(l, "CDoor", "open") == 1; });
    ASSERT_GT(pressed, 870);
    EXPECT_GT(burst, pressed);
    EXPECT_GT(Pos(at(burst), "CStoneBox", 2), 28.0) << "it burst at the north wall";
    EXPECT_GE(opened, pressed);
    EXPECT_LT(opened, 1160);
    // It re-forms where it stood, thawed; the latched switch stays down and the door open.
    EXPECT_NEAR(Pos(at(1160), "CStoneBox", 2), 17.0, 1e-3);
    EXPECT_EQ(Field(at(1160), "CStoneBox", "freezeAmount"), 0);
    EXPECT_EQ(Field(at(1160), "CStoneBox", "breaking"), 0);
    EXPECT_EQ(Field(at(1300), "CSwitch", "fullyPressed"), 1);
    EXPECT_EQ(Field(at(1300), "CDoor", "open"), 1);

    // The fire lane is crossed sliding on laid ice.
    const int slid = FirstFrame(dump, [](const std::string& l) { return Field(l, "Player", "groundKind") == 3; });
    EXPECT_GT(slid, 991);
    EXPECT_LT(slid, 1100);
    EXPECT_NE(at(1095).find("\"class\":\"ColdObject\""), std::string::npos);
    EXPECT_GT(Pos(at(1160), "Player", 2), 24.0);
    EXPECT_GT(Pos(at(1306), "Player", 2), 31.0) << "through the door";

    // The goal: the fade starts on frame 1381, the title follows and the progress is 3.
    const int fade = FirstFrame(dump, [](const std::string& l) { return l.find("\"mode\":2") != std::string::npos; });
    EXPECT_EQ(fade, 1381);
    EXPECT_EQ(Field(at(fade), "CGoal", "reached"), 1);
    const int title = FirstFrame(dump, [](const std::string& l) { return Number(l, "scene") == 1; });
    EXPECT_EQ(title, 1446);
    EXPECT_EQ(ReadFile((root / "save.dat").string()), "3\n");
}

TEST_F(SimStage2Test, RInTheMiddleBuildsTheStageAgainAsItWasEntered) {
    // The solve script up to the fire lane, with the switch latched and ice laid; then R.
    std::ifstream solve(fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough/stage2.txt");
    std::string script;
    for (std::string line; std::getline(solve, line) && line.rfind("1096-", 0) != 0;) script += line + "\n";
    const std::vector<std::string> dump = RunText(1400, script + "1100 R\n1101-1400 W\n");
    ASSERT_EQ(dump.size(), 1400u);
    const auto at = [&](int frame) -> const std::string& { return dump[frame - 1]; };
    ASSERT_EQ(Field(at(1099), "CSwitch", "fullyPressed"), 1);
    ASSERT_NE(at(1099).find("\"class\":\"ColdObject\""), std::string::npos);
    // The screen goes black with the player standing, the stage is built anew, and it fades in.
    const std::vector<std::string> after(dump.begin() + 1100, dump.end());
    const int rebuilt = 1100 + FirstFrame(after, [](const std::string& l) { return Pos(l, "Player", 2) == 0.0; });
    ASSERT_GT(rebuilt, 1100);
    EXPECT_LT(rebuilt, 1100 + 70);
    EXPECT_NEAR(Pos(at(rebuilt - 1), "Player", 2), Pos(at(1100), "Player", 2), 0.1) << "no walking in the fade";
    // Every object as on the stage's first frame, flames aside (they are seeded by the clock), and the
    // player, who walked on that frame, standing where the stage starts with the gun, facing ahead.
    const auto objects = [](const std::string& line) {
        std::string text = line.substr(line.find("\"objects\":"));
        text = text.substr(0, text.find("\"sound\":"));
        return Pattern(R"re(\{"i":\d+,"class":"(CFlameStatue|Player)"[^}]*\})re").Replace(text, "");
    };
    EXPECT_EQ(objects(at(rebuilt)), objects(at(1)));
    EXPECT_NE(Object(at(rebuilt), "Player").find("\"pos\":[0,0.01,0]"), std::string::npos);
    EXPECT_EQ(Field(at(rebuilt), "Player", "yaw"), 0);
    EXPECT_EQ(Field(at(rebuilt), "Player", "containers"), 2);
    EXPECT_EQ(at(1400).find("\"class\":\"ColdObject\""), std::string::npos) << "the W held after R lays no ice";
    EXPECT_FALSE(fs::exists(root / "save.dat")) << "progress unchanged";
}

TEST_F(SimStage2Test, TheWrongWayLeavesThePuzzleClosed) {
    // Straight through the east archway: the statue blocks it. Then, with the statue frozen to the
    // west, lean on the stone box unfrozen for a long while, and walk into the fire lane.
    const std::vector<std::string> dump = RunText(1250,
                                                  "1-50 D\n51-250 W\n"                   // blocked in the arch
                                                  "251-300 S\n301-400 A\n401-440 W\n"    // to the west arch
                                                  "441-683 LBUTTON\n"                    // freeze the statue
                                                  "690-789 D\n790-831 W\n832-845 A\n"    // to the box
                                                  "846-950 W\n"                          // lean on it
                                                  "951-980 S\n981-1056 A\n1057-1250 W\n");  // into the fire
    ASSERT_EQ(dump.size(), 1250u);
    const auto at = [&](int frame) -> const std::string& { return dump[frame - 1]; };
    EXPECT_LT(Pos(at(250), "Player", 2), 13.0) << "the statue stood in the east archway";
    EXPECT_NEAR(Pos(at(250), "CStoneStatue", 0), 3.5, 0.1);
    EXPECT_EQ(Field(at(950), "CStoneBox", "freezeAmount"), 0);
    EXPECT_NEAR(Pos(at(950), "CStoneBox", 2), 17.0, 1e-3) << "too heavy to push unfrozen";
    EXPECT_NEAR(Pos(at(950), "CStoneBox", 0), 2.5, 1e-3);
    EXPECT_GE(Field(at(683), "CStoneStatue", "freezeAmount"), 100);
    EXPECT_GT(Pos(at(1150), "Player", 2), 19.0) << "up to the fire";
    EXPECT_LT(Pos(at(1250), "Player", 2), 20.5) << "the fire held the player back";
    for (int frame : {950, 1250}) {
        EXPECT_EQ(Field(at(frame), "CSwitch", "fullyPressed"), 0) << frame;
        EXPECT_EQ(Field(at(frame), "CDoor", "open"), 0) << frame;
    }
    EXPECT_FALSE(fs::exists(root / "save.dat"));
}

TEST_F(SimStage2Test, TheStatueLuredToTheWestEndStillBlocksTheEastArchway) {
    // Lure the statue against the west wall, slip out of its sight to the south, and walk up to the
    // east archway and on north: it rolls across in time and holds the player south of its lane.
    const std::vector<std::string> dump = RunText(720, "1-80 A\n81-195 W\n332-403 S\n404-536 D\n537-720 W\n");
    ASSERT_EQ(dump.size(), 720u);
    EXPECT_LT(Pos(dump[299], "CStoneStatue", 0), -5.0) << "lured to the west end";
    EXPECT_NEAR(Pos(dump[719], "CStoneStatue", 0), Pos(dump[719], "Player", 0), 0.2);
    EXPECT_LT(Pos(dump[719], "Player", 2), 12.95 - 0.49);
}

}  // namespace
