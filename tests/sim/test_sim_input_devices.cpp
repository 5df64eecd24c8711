// Scripted input reaching the game's mouse and pad through the platform calls, seen in the dump.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"

namespace {

const std::string kSim = VELDORIN_SIM;

std::string TempPath(const std::string& name) {
    return "/tmp/veldorin_sim_devices_" + std::to_string(::getpid()) + "_" + name;
}

// Runs the sim on a script and returns each frame's "mouse" object, as text.
std::vector<std::string> MouseOfEachFrame(const std::string& script, int frames) {
    const std::string input = TempPath("input.txt"), dump = TempPath("dump.json");
    std::ofstream(input) << script;
    const ProcessResult run =
        // The closing picture leaves the mouse alone (the title keeps re-centring it until the start).
        RunProcess(kSim + " --scene 3 --frames " + std::to_string(frames) + " --input " + input + " --dump " + dump);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> mice;
    std::ifstream lines(dump);
    const Pattern mouse("\"mouse\":(\\{[^}]*\\})");
    for (std::string line; std::getline(lines, line);) {
        const PatternMatch match = mouse.Search(line);
        mice.push_back(match ? match[1] : "missing");
    }
    std::remove(input.c_str());
    std::remove(dump.c_str());
    return mice;
}

TEST(SimInputDevices, FortyPixelsOfMouseTurnTheHorizontalAngleByTen) {
    const std::vector<std::string> mice = MouseOfEachFrame("2 MOUSE=40,0\n", 3);
    EXPECT_EQ(mice, (std::vector<std::string>{"{\"v\":0,\"h\":0}", "{\"v\":0,\"h\":10}", "{\"v\":0,\"h\":10}"}));
}

TEST(SimInputDevices, TheFirstFrameAndThePadCountToo) {
    // Frame 1's movement happens while the game pins the cursor at start-up; it is not lost.
    const std::vector<std::string> mice = MouseOfEachFrame("1 MOUSE=-4,-8\n2-3 RX=16384\n", 3);
    EXPECT_EQ(mice,
              (std::vector<std::string>{"{\"v\":-2,\"h\":-1}", "{\"v\":-2,\"h\":0.25}", "{\"v\":-2,\"h\":1.5}"}));
}

}  // namespace
