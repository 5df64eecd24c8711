// The game played through the runner on the built content: from the title's hub through each door by
// the progress that opens it, into the stages and to the closing picture and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough";

class SimPlaythrough : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veldorin_playthrough_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::copy(VELDORIN_GAME_DIR, root, fs::copy_options::recursive);
        fs::remove(root / "save.dat");
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }
    void Save(int progress) { std::ofstream(root / "save.dat") << progress << "\n"; }

    // Plays a script from the title; returns each frame's scene and stage choice.
    struct Frame {
        int scene, stage;
    };
    std::vector<Frame> Play(const std::string& script, int frames) {
        const fs::path dump = root / "dump.jsonl";
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() + " --frames " +
                                             std::to_string(frames) + " --input " + (kScripts / script).string() +
                                             " --dump " + dump.string());
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<Frame> out;
        std::istringstream in(ReadFile(dump.string()));
        const std::regex head(R"re("scene":(\d+),"stageSelect":(-?\d+))re");
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (std::regex_search(line, m, head)) out.push_back({std::stoi(m[1]), std::stoi(m[2])});
        }
        return out;
    }
    // The first frame (from 1) showing the scene, or 0.
    static int FirstIn(const std::vector<Frame>& frames, int scene) {
        for (size_t i = 0; i < frames.size(); ++i)
            if (frames[i].scene == scene) return static_cast<int>(i) + 1;
        return 0;
    }
    fs::path root;
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

}  // namespace
