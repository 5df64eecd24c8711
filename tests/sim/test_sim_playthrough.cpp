// The game played through the runner on the built content: from the title's hub through each door by
// the progress that opens it, into the stages and to the closing picture and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Pattern.h"
#include "tests/support/PlaythroughScript.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough";

class SimPlaythrough : public ::testing::Test {
protected:
    void TearDown() override {
        content.keep = HasFailure();
    }
    void Save(int progress) { content.Write("save.dat") << progress << "\n"; }

    // Plays a script from the title; returns each frame's scene and stage choice.
    struct Frame {
        int scene, stage;
        std::string line;
    };
    std::vector<Frame> Play(const std::string& script, int frames) { return PlayFile(kScripts / script, frames); }
    std::vector<Frame> PlayFile(const fs::path& script, int frames) {
        const fs::path dump = root / "dump.jsonl";
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() + " --frames " +
                                             std::to_string(frames) + " --input " + script.string() +
                                             " --dump " + dump.string());
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<Frame> out;
        std::istringstream in(ReadFile(dump.string()));
        const Pattern head(R"re("scene":(\d+),"stageSelect":(-?\d+))re");
        for (std::string line; std::getline(in, line);)
            if (const PatternMatch m = head.Search(line)) out.push_back({std::stoi(m[1]), std::stoi(m[2]), line});
        return out;
    }
    // The first frame (from 1) after `after` showing the scene, or 0.
    static int FirstIn(const std::vector<Frame>& frames, int scene, int after = 0) {
        for (size_t i = static_cast<size_t>(after); i < frames.size(); ++i)
            if (frames[i].scene == scene) return static_cast<int>(i) + 1;
        return 0;
    }
    static std::vector<std::string> Shifted(const std::string& script, int offset) { return ShiftedScript(script, offset); }
    // Plays the lines as one script on a new game.
    std::vector<Frame> PlayNewGame(const std::vector<std::string>& lines, int frames) {
        fs::remove(root / "save.dat");
        std::ofstream script = content.Write("chain.txt");
        for (const std::string& line : lines) script << line << "\n";
        script.close();
        return PlayFile(root / "chain.txt", frames);
    }
    std::string SaveFile() const { return ReadFile((root / "save.dat").string()); }
    ScratchContent content{"playthrough"};
    const fs::path& root = content.root;
};

TEST_F(SimPlaythrough, EachDoorOfTheHubLeadsWhereItShouldOnceProgressOpensIt) {
    struct Leg {
        int progress;
        const char* script;
        int frames, scene, stage;
    };
    // A new game opens the first door; after the first stage the second; after the second the third.
    for (const Leg& leg : {Leg{0, "hub_to_stage1.txt", 520, 2, 0}, Leg{2, "hub_to_stage2.txt", 480, 2, 1},
                           Leg{3, "hub_to_closing.txt", 620, 3, 1}}) {
        if (leg.progress) Save(leg.progress);
        else fs::remove(root / "save.dat");
        const std::vector<Frame> frames = Play(leg.script, leg.frames);
        const int arrived = FirstIn(frames, leg.scene);
        ASSERT_GT(arrived, 150) << leg.script;
        EXPECT_EQ(frames[arrived - 1].stage, leg.stage) << leg.script;
        if (leg.scene == 3) {
            EXPECT_EQ(frames.back().scene, 1) << "a click leaves the picture for the title";
        }
    }
    // The second door stays shut on a new game: the same walk ends at the door, still in the hub.
    fs::remove(root / "save.dat");
    const std::vector<Frame> shut = Play("hub_to_stage2.txt", 480);
    EXPECT_EQ(FirstIn(shut, 2), 0);
}

// A new game played through in one run: the first door into the first stage, solved; back on the
// title past the logo with the second door open; the second stage, solved; the third door to the
// closing picture and back to the title. The run is built up leg by leg, each leg's script starting
// on the frame its scene began in the run so far (the runner is deterministic).
TEST_F(SimPlaythrough, TheWholeGameFromANewGameToTheClosingPictureAndBack) {
    std::vector<std::string> script = Shifted("hub_to_stage1.txt", 0);
    std::vector<Frame> frames = PlayNewGame(script, 600);
    const int stage1 = FirstIn(frames, 2);
    ASSERT_GT(stage1, 0) << "into the first stage";
    EXPECT_EQ(frames[stage1 - 1].stage, 0);

    // Coming from the hub, the fade's last part walks the player in, as the script's first steps do.
    for (const std::string& line : Shifted("stage1.txt", stage1 - 1)) script.push_back(line);
    frames = PlayNewGame(script, stage1 + 2400);
    const int title1 = FirstIn(frames, 1, stage1);
    ASSERT_GT(title1, 0) << "the first stage's goal";
    EXPECT_EQ(SaveFile(), "2\n");
    EXPECT_NE(frames[title1 - 1].line.find("\"logoAlpha\":0"), std::string::npos) << "the logo is skipped";

    for (const std::string& line : Shifted("hub_to_stage2.txt", title1 - 1)) script.push_back(line);
    frames = PlayNewGame(script, title1 + 480);
    const int stage2 = FirstIn(frames, 2, title1);
    ASSERT_GT(stage2, 0) << "the second door is open now";
    EXPECT_EQ(frames[stage2 - 1].stage, 1);

    // The walk-in takes the player forward; the second stage's script starts where it stood, so it
    // walks back first.
    const int walkIn = 83;
    script.push_back(std::to_string(stage2 + walkIn) + "-" + std::to_string(stage2 + 2 * walkIn - 1) + " S");
    for (const std::string& line : Shifted("stage2.txt", stage2 + 2 * walkIn - 1)) script.push_back(line);
    frames = PlayNewGame(script, stage2 + 2 * walkIn + 1500);
    const int title2 = FirstIn(frames, 1, stage2);
    ASSERT_GT(title2, 0) << "the second stage's goal";
    EXPECT_EQ(SaveFile(), "3\n");

    for (const std::string& line : Shifted("hub_to_closing.txt", title2 - 1)) script.push_back(line);
    frames = PlayNewGame(script, title2 + 620);
    const int closing = FirstIn(frames, 3, title2);
    ASSERT_GT(closing, 0) << "the third door leads to the closing picture";
    EXPECT_EQ(frames.back().scene, 1) << "and back to the title";
    EXPECT_EQ(SaveFile(), "3\n");
}

}  // namespace
