// The runner's --profile: one line per frame phase after the run, the frames counted, and the run
// itself (its dump) unchanged by the timing.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"

namespace {

const std::string kSim = VELDORIN_SIM;

TEST(SimProfile, PrintsEveryPhaseOnceAfterTheRunAndLeavesTheRunAsItWas) {
    const std::string base = "/tmp/veldorin_sim_" + std::to_string(::getpid());
    const std::string plain = base + "_plain.json", timed = base + "_timed.json";
    const std::string stage = kSim + " --scene 2 --stage 1 --frames 30 --dump ";
    const ProcessResult profiled = RunProcess(stage + timed + " --profile");
    ASSERT_EQ(profiled.status, 0) << profiled.err;
    const ProcessResult unprofiled = RunProcess(stage + plain);
    ASSERT_EQ(unprofiled.status, 0) << unprofiled.err;
    EXPECT_EQ(ReadFile(timed), ReadFile(plain)) << "timing changes nothing the game does";
    EXPECT_EQ(unprofiled.out.find("profile:"), std::string::npos) << "no lines without the option";

    // The summary follows the run's own last line, phases in frame order, each over every frame.
    const size_t summary = profiled.out.find("sim: frames=30 scene=2 quit=0\n");
    ASSERT_NE(summary, std::string::npos) << profiled.out;
    std::istringstream lines(profiled.out.substr(summary));
    std::string line;
    std::getline(lines, line);
    const Pattern format(R"(profile: (\w+) mean_us=(\d+) median_us=(\d+) frames=30)");
    std::vector<std::string> phases;
    for (int i = 0; i < 6 && std::getline(lines, line); ++i) {  // the picture and the draws follow
        const PatternMatch m = format.Whole(line);
        ASSERT_TRUE(m) << line;
        phases.push_back(m[1]);
    }
    EXPECT_EQ(phases, (std::vector<std::string>{"update", "shadow_pass", "scene_pass", "edge_filter", "2d",
                                                "present"}));
    std::remove(plain.c_str());
    std::remove(timed.c_str());
}

}  // namespace
