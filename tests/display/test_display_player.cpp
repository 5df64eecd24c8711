// The player on the test courtyard as a person sees it: standing, the charged gun laying a patch on a
// wall, a patch on the floor slid across; and the player walked with real key presses sent to the
// runner's real window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path Scratch() {
    const fs::path dir = fs::temp_directory_path() / ("veldorin_player_view_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

// Pixels in the rectangle that read as ice: clearly bluer than red, and light.
int IcePixels(const Screenshot& s, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = s.At(x, y);
            if (p[2] > 170 && p[2] - p[0] > 45) ++count;
        }
    return count;
}

int DarkPixels(const Screenshot& s, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = s.At(x, y);
            if (p[0] < 40 && p[1] < 40 && p[2] < 40) ++count;
        }
    return count;
}

ProcessResult RunSim(const fs::path& dir, const std::string& script, int frames, const std::string& shots) {
    const fs::path input = dir / "input.txt";
    std::ofstream(input) << script;
    return RunProcess(std::string(VELDORIN_SIM) + TestCourtyard::RootOption() + " --render --scene 2 --stage 0 --frames " +
                      std::to_string(frames) +
                      " --input " + input.string() + shots);
}

TEST(DisplayPlayer, TheGunLaysIcePatchesOnAWallAndOnTheFloorAndThePlayerSlidesAcrossOne) {
    const fs::path dir = Scratch();
    const std::string wall = (dir / "wall.png").string(), stand = (dir / "stand.png").string(),
                      slide = (dir / "slide.png").string();
    // Camera turned to the wall behind, walked up to it, gun raised: ready on 121, shot on 138.
    ProcessResult run = RunSim(dir, "1 MOUSE=720,0\n2-92 W\n95-150 LBUTTON\n", 150, " --screenshot 150:" + wall);
    ASSERT_EQ(run.status, 0) << run.err;
    // Forward, a shot at the floor ahead, then walking onto the patch: sliding from frame 155 or so.
    run = RunSim(dir, "1-40 W\n45-110 LBUTTON\n115-200 W\n", 163, " --screenshot 3:" + stand + " --screenshot 163:" + slide);
    ASSERT_EQ(run.status, 0) << run.err;

    Screenshot picture;
    ASSERT_TRUE(picture.Load(stand));
    // The player from behind in the middle of the picture, outlined, its feet on the floor.
    EXPECT_GT(DarkPixels(picture, 360, 250, 440, 520), 100) << "look at " << stand;
    ASSERT_TRUE(picture.Load(wall));
    // The patch spreads over the grey-blue wall around the player's head and shoulders.
    EXPECT_GT(IcePixels(picture, 280, 180, 520, 400), 8000) << "look at " << wall;
    ASSERT_TRUE(picture.Load(slide));
    EXPECT_GT(IcePixels(picture, 240, 430, 560, 600), 8000) << "look at " << slide;
    if (!HasFailure() && !std::getenv("VELDORIN_KEEP_PICTURES")) fs::remove_all(dir);
}

// Lines in the dump so far.
size_t DumpedFrames(const fs::path& dump) {
    std::ifstream in(dump);
    size_t lines = 0;
    std::string line;
    while (std::getline(in, line)) ++lines;
    return lines;
}

TEST(DisplayPlayer, KeysPressedInTheRealWindowWalkThePlayer) {
    const fs::path dir = Scratch();
    const fs::path dump = dir / "live.jsonl";
    const std::string sim = std::string(VELDORIN_SIM) + TestCourtyard::RootOption() +
                            " --render --live-input --scene 2 --stage 0 --frames 160 --dump " +
                            dump.string() + " >/dev/null 2>&1";
    std::thread runner([&] { std::system(sim.c_str()); });
    // Once the stage runs, W is held down in the focused window for a while.
    for (int i = 0; i < 300 && DumpedFrames(dump) < 20; ++i) std::this_thread::sleep_for(50ms);
    const std::string window = "$(xdotool search --name '^VELDORIN$' | head -1)";
    std::system(("xdotool windowfocus --sync " + window + " keydown w; sleep 2; xdotool keyup w").c_str());
    runner.join();

    std::ifstream in(dump);
    const std::regex player(R"re("class":"Player","kind":0,"pos":\[([^,]*),([^,]*),([^\]]*)\],"state":(\d+))re");
    std::string line;
    float firstZ = 0.0f, lastZ = 0.0f;
    bool walked = false;
    int frames = 0;
    while (std::getline(in, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, player)) continue;
        const float z = std::stof(m[3]);
        if (!frames++) firstZ = z;
        lastZ = z;
        walked = walked || std::stoi(m[4]) == 1;
    }
    EXPECT_EQ(frames, 160);
    EXPECT_TRUE(walked);
    EXPECT_GT(lastZ - firstZ, 0.5f) << "W walks the player forward, away from the camera";
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
