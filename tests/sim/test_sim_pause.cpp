// The pause and its menu through the runner: a held pause changes nothing in the world, the menu's
// choices do what they say (by keys, pad and mouse), and the options opened from the title are stored.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/DumpLines.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class SimPause : public ::testing::Test {
protected:
    // The dump of a run (frame numbers stripped).
    Lines Run(const std::string& script, const std::string& options) {
        std::ofstream(content.root / "script.txt") << script;
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --input " +
                                             (content.root / "script.txt").string() + " --dump " +
                                             (content.root / "dump.jsonl").string() + " " + options);
        EXPECT_EQ(run.status, 0) << run.err;
        return DumpLinesWithoutFrames(ReadFile((content.root / "dump.jsonl").string()));
    }
    ScratchContent content{"pause"};
};

std::string PlayerPos(const std::string& line) {
    const std::string key = R"("class":"Player","kind":0,"pos":[)";
    const size_t at = line.find(key);
    if (at == std::string::npos) return "?";
    const size_t open = at + key.size() - 1, close = line.find(']', open);
    return close == std::string::npos ? "?" : line.substr(open, close - open + 1);
}

// Stage 2 with its rolling statue, flames, launchers and a shot: the run paused in frames 100 to 399
// holds frame 99's world all through the pause, then goes on exactly as the run without it.
TEST_F(SimPause, AHeldPauseLeavesTheWorldAsItWasApartFromTheFrameNumbers) {
    const Lines straight = Run("10-60 W\n61-90 D LBUTTON\n120-180 W\n200-230 A LBUTTON\n", "--scene 2 --stage 1 --frames 300");
    const Lines paused = Run("10-60 W\n61-90 D LBUTTON\n100 P\n150-160 W MOUSE=30,9\n400 P\n420-480 W\n500-530 A LBUTTON\n",
                             "--scene 2 --stage 1 --frames 600");
    ASSERT_EQ(straight.size(), 300u);
    ASSERT_EQ(paused.size(), 600u);
    Lines expected(straight.begin(), straight.begin() + 99);
    expected.insert(expected.end(), 300, straight[98]);
    expected.insert(expected.end(), straight.begin() + 99, straight.end());
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(paused[i], expected[i]) << "frame " << i + 1;
    EXPECT_NE(straight[98], straight[130]);  // the world does move when not paused
}

// The menu of a stage and of the hub, chosen with the keyboard, the pad and the mouse.
TEST_F(SimPause, TheMenusChoicesDoWhatTheySay) {
    const std::string walk = "10-60 W\n";
    struct Case {
        const char* name;
        std::string script;
        const char* options;
        std::function<void(const Lines&)> check;
    };
    const Case cases[] = {
        {"restart", walk + "70 P\n75 DOWN\n80 RETURN\n", "--scene 2 --frames 200", [](const Lines& d) {
             EXPECT_NE(PlayerPos(d[68]), PlayerPos(d[0]));
             EXPECT_EQ(PlayerPos(d.back()), PlayerPos(d[0]));  // built again as it was entered
             EXPECT_NE(d[120].find("\"fade\":{\"mode\":3"), std::string::npos);
         }},
        {"title by pad and mouse", walk + "70 PAD_START\n75-76 MOUSE=0,45\n78 PAD_DOWN\n82 LBUTTON\n", "--scene 2 --frames 90",
         [](const Lines& d) {
             EXPECT_NE(d[80].find("\"scene\":2"), std::string::npos);
             EXPECT_NE(d.back().find("\"scene\":1"), std::string::npos);
         }},
        {"esc resumes, no rewind while paused", walk + "70 P\n80-120 REWIND\n130 ESC\n140-150 S\n", "--scene 2 --frames 160",
         [](const Lines& d) {
             EXPECT_EQ(d[125], d[68]);
             EXPECT_NE(d.back().find("\"scene\":2"), std::string::npos);
             EXPECT_NE(PlayerPos(d.back()), PlayerPos(d[68]));  // play went on
         }},
        {"hub: back to title", "5 LBUTTON\n200 P\n205 DOWN\n207 DOWN\n210 RETURN\n", "--scene 1 --frames 215",
         [](const Lines& d) {
             EXPECT_NE(d[199].find("\"entered\":1"), std::string::npos);
             EXPECT_NE(d.back().find("\"logoAlpha\":255,\"started\":0"), std::string::npos);
         }},
        {"hub: quit", "5 LBUTTON\n200 P\n205 UP\n210 RETURN\n", "--scene 1 --frames 215",
         [](const Lines& d) { EXPECT_NE(d.back().find("\"quit\":1"), std::string::npos); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(Run(c.script, c.options));
    }
}

// A stage paused (the mouse moved meanwhile) and later rewound keeps a journal that replays to the same
// world; the paused frames hold the game's clock.
TEST_F(SimPause, AJournalAcrossAPauseAndARewindReplaysToTheSameWorld) {
    const fs::path journal = content.root / "journal.txt";
    const Lines played = Run("10-40 W\n50 P\n60-70 W MOUSE=5,0\n80 P\n90-150 W LBUTTON\n160-175 REWIND\n180-230 D\n",
                             "--scene 2 --stage 1 --frames 240 --journal " + journal.string());
    const std::string text = ReadFile(journal.string());
    EXPECT_NE(text.find("\n50 P\n51 CLOCK=784\n52 CLOCK=784\n"), std::string::npos) << text.substr(0, 400);
    const Lines replayed = Run(text, "");
    ASSERT_FALSE(replayed.empty());
    EXPECT_LT(replayed.size(), played.size());
    EXPECT_EQ(replayed.back(), played.back());
}

// O on the title opens the options: music down a step, mouse up a step, jump moved to J; each change is
// in the file at once, Esc leaves them, and the click then starts the game.
TEST_F(SimPause, OptionsFromTheTitleAreStoredAtOnce) {
    const fs::path settings = content.root / "cfg" / "settings.ini";
    std::string script = "10 O\n15 LEFT\n20 DOWN\n22 DOWN\n25 RIGHT\n";
    for (int f = 30; f < 46; f += 2) script += std::to_string(f) + " DOWN\n";
    script += "50 RETURN\n55 J\n60 ESC\n70 LBUTTON\n";
    const Lines d = Run(script, "--scene 1 --frames 80 --settings " + settings.string());
    const std::string text = ReadFile(settings.string());
    for (const char* line : {"music = 90\n", "effects = 100\n", "mouse = 125\n", "jump = J\n", "forward = W\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_NE(d[65].find("\"started\":0"), std::string::npos);
    EXPECT_NE(d.back().find("\"started\":1"), std::string::npos);
    EXPECT_EQ(d.back().find("\"quit\":1"), std::string::npos);  // the Esc that left the options quits nothing
}

}  // namespace
