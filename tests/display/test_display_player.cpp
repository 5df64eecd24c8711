// The player on the test courtyard as a person sees it: standing, the charged gun laying a patch on a
// wall, a patch on the floor slid across; and the player walked with real key presses sent to the
// runner's real window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/Pattern.h"
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
    return RunProcess(std::string(VELDORIN_SIM) + TestCourtyard::RootOption() + " --render --shots-only --scene 2 --stage 0 --frames " +
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

// The player's position along z and whether it walked, as the dump has them so far.
struct LiveWalk {
    int frames = 0;
    float firstZ = 0.0f, lastZ = 0.0f;
    bool walked = false;
};

LiveWalk ReadLiveWalk(const fs::path& dump) {
    static const Pattern player(R"re("class":"Player","kind":0,"pos":\[([^,]*),([^,]*),([^\]]*)\],"state":(\d+))re");
    LiveWalk walk;
    std::ifstream in(dump);
    for (std::string line; std::getline(in, line);) {
        const PatternMatch m = player.Search(line);
        if (!m) continue;
        const float z = std::stof(m[3]);
        if (!walk.frames++) walk.firstZ = z;
        walk.lastZ = z;
        walk.walked = walk.walked || std::stoi(m[4]) == 1;
    }
    return walk;
}

TEST(DisplayPlayer, KeysPressedInTheRealWindowWalkThePlayer) {
    const fs::path dir = Scratch();
    // A stage of its own: the room and the player, nothing in the way.
    const ScratchContent content("live");
    const fs::path& root = content.root;
    content.Write("Data/txt/Mapdata1.txt")
        << "Name(Map)\tPos(0,0,0)\tMesh(data/xfile/Map/TestRoom.x)\n"
        << "Name(Player)\tPos(0,0,-6)\tSkinMesh(data/xfile/Player/player.x)\tContainer(1)\n";
    const fs::path dump = dir / "live.jsonl";
    const std::string sim = "timeout 180 " + std::string(VELDORIN_SIM) + " --root " + root.string() +
                            " --render --live-input --scene 2 --stage 0 --frames 5000 --dump " + dump.string() +
                            " >/dev/null 2>&1";
    std::thread runner([&] { std::system(sim.c_str()); });
    // Once the stage runs, W is held down in the focused window until the player has walked a unit
    // (however slowly the frames come on a busy machine), then the runner is stopped.
    for (int i = 0; i < 600 && ReadLiveWalk(dump).frames < 5; ++i) std::this_thread::sleep_for(50ms);
    const std::string window = "$(xdotool search --name '^VELDORIN$' | head -1)";
    std::system(("xdotool windowfocus --sync " + window + " keydown w").c_str());
    LiveWalk walk;
    for (int i = 0; i < 1200; ++i) {
        walk = ReadLiveWalk(dump);
        if (walk.lastZ - walk.firstZ > 1.0f) break;
        std::this_thread::sleep_for(50ms);
    }
    std::system("xdotool keyup w");
    std::system(("pkill -f -- '--dump " + dump.string() + "'").c_str());
    runner.join();

    EXPECT_GT(walk.frames, 5);
    EXPECT_TRUE(walk.walked);
    EXPECT_GT(walk.lastZ - walk.firstZ, 1.0f) << "W walks the player forward, away from the camera";
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
