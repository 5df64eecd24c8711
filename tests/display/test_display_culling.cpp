// Culling changes the work, never the picture: the hub and both stages, looked around and walked
// into, give the same bytes with culling on and off, while fewer draws are submitted with it on. The
// run without culling draws the pixels of its pictured frames only (--shots-only): that the bytes
// still match also holds the runner's skipped frames to leaving the pictured ones as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"

namespace {
namespace fs = std::filesystem;

struct Pictures { std::string shots[3]; long asked[2] = {0, 0}, submitted[2] = {0, 0}; };  // shadow, scene

Pictures Play(const fs::path& dir, const std::string& place, const std::string& cull) {
    const std::string scene = place == "hub" ? "1 --stage 0" : place == "stage1" ? "2 --stage 0" : "2 --stage 1";
    std::string command = "VELDORIN_CULL=" + cull + " " + VELDORIN_SIM + " --render --profile --frames 90 --scene " +
                          scene + (cull == "0" ? " --shots-only" : "") + " --input " + (dir / "input.txt").string();
    const std::string frames[3] = {"3", "45", "90"};
    for (const std::string& frame : frames) command += " --screenshot " + frame + ":" + (dir / (cull + frame + ".png")).string();
    const ProcessResult result = RunProcess(command);
    EXPECT_EQ(result.status, 0) << place << " " << result.err;
    Pictures run;
    for (int i = 0; i < 3; ++i) run.shots[i] = ReadFile((dir / (cull + frames[i] + ".png")).string());
    for (const PatternMatch& m : Pattern("profile: draws (shadow|scene) asked=(\\d+) submitted=(\\d+)").All(result.out))
        run.asked[m[1] == "scene"] = std::stol(m[2]), run.submitted[m[1] == "scene"] = std::stol(m[3]);
    return run;
}

TEST(DisplayCulling, EveryPlaceLooksTheSameWithCullingOnAndOff) {
    const fs::path dir = fs::temp_directory_path() / ("veldorin_culling_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "input.txt") << "1-60 MOUSE=25,0\n61-90 W\n";  // a look around to the right, a walk ahead
    long culled = 0;
    for (const std::string place : {"hub", "stage1", "stage2"}) {
        const Pictures on = Play(dir, place, "1"), off = Play(dir, place, "0");
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(on.shots[i].size() > 1000 && on.shots[i] == off.shots[i]) << place << " picture " << i;
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_TRUE(on.asked[pass] > 0 && on.asked[pass] == off.asked[pass] && off.submitted[pass] == off.asked[pass])
                << place << " pass " << pass;
            culled += on.asked[pass] - on.submitted[pass];
        }
    }
    EXPECT_GT(culled, 0) << "culling dropped no draw anywhere";
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
