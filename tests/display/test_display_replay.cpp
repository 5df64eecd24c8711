// A stage played live and kept as a replay. The runner plays stage 1 in a real window with the X
// keyboard (xdotool holds W from the player's place in front of the goal until the goal is reached),
// at the game's own pace and drawing no pixels, since nobody looks at that window;
// the replay saved at the goal, played by the runner, reaches the goal with the live run's dump frame
// for frame; played by the game in its window at its own speed, it too reaches the goal and goes on to
// the hub, and Esc leaves it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestCourtyard.h"
#include "tests/support/XScreen.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> Lines(const fs::path& file) {
    std::vector<std::string> out;
    std::istringstream in(ReadFile(file.string()));
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// Mean difference per channel between the window's picture and a picture of the runner's.
double Difference(const xscreen::Pixels& window, const Screenshot& shot) {
    if (window.area.width != shot.width || window.area.height != shot.height || window.rgba.empty()) return 1e9;
    double sum = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            for (int c = 0; c < 3; ++c) sum += std::abs(int(window.At(x, y)[c]) - int(shot.At(x, y)[c]));
    return sum / (3.0 * shot.width * shot.height);
}

TEST(DisplayReplay, ALivePlayKeptAtTheGoalReplaysInTheRunnerAndTheGame) {
    ScratchContent content("replay");
    const fs::path& root = content.root;
    const std::string placed = ReadFile(std::string(VELDORIN_SOURCE_DIR) + "/content/Data/txt/Mapdata1.txt");
    content.Write("Data/txt/Mapdata1.txt") << Pattern("Name\\(Player\\)\tPos\\([^)]*\\)").Replace(placed, "Name(Player)\tPos(0,0,72)");
    const fs::path live = root / "live.jsonl", replays = root / "replays";
    std::thread runner([&] {
        std::system(("timeout 180 " + std::string(VELDORIN_SIM) + content.RootOption() +
                     " --render --shots-only --real-time --live-input --scene 2 --stage 0 --frames 20000 --dump " + live.string() +
                     " --replays " + replays.string() + " >/dev/null 2>&1").c_str());
    });
    auto reached = [&] { return ReadFile(live.string()).find("\"reached\":1") != std::string::npos; };
    for (int i = 0; i < 600 && Lines(live).size() < 5; ++i) std::this_thread::sleep_for(50ms);
    const std::string window = "$(xdotool search --name '^VELDORIN$' | head -1)";
    std::system(("xdotool windowfocus --sync " + window + " keydown w").c_str());
    for (int i = 0; i < 1200 && !reached(); ++i) std::this_thread::sleep_for(50ms);
    std::system("xdotool keyup w");
    std::error_code ec;
    for (int i = 0; i < 100 && fs::is_empty(replays, ec); ++i) std::this_thread::sleep_for(50ms);
    std::system(("pkill -f -- '--dump " + live.string() + "'").c_str());
    runner.join();
    ASSERT_TRUE(reached()) << "W held in the window walks the player into the goal";
    ASSERT_FALSE(fs::is_empty(replays, ec)) << "a replay is kept at the goal";
    const fs::path replay = fs::directory_iterator(replays)->path();

    // The runner: the same frames, the last one at the goal.
    const fs::path again = root / "again.jsonl";
    const fs::path hub = root / "hub.png", stage = root / "stage.png";
    const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --render --shots-only --input " +
                                         replay.string() + " --frames 400 --dump " + again.string() + " --screenshot 40:" +
                                         stage.string() + " --screenshot 400:" + hub.string());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> livePlay = Lines(live), replayed = Lines(again);
    // The journal's last line is its last frame's: "N CLOCK=ms # end".
    const size_t kept = static_cast<size_t>(std::stoi(Lines(replay).back()));
    ASSERT_GE(livePlay.size(), kept);
    ASSERT_GE(replayed.size(), kept);
    for (size_t f = 0; f < kept; ++f) ASSERT_EQ(replayed[f], livePlay[f]) << "frame " << f + 1;
    EXPECT_NE(replayed[kept - 1].find("\"reached\":1"), std::string::npos);

    // The game, in its window: the stage, then the hub the runner shows after the goal; Esc leaves.
    Screenshot hubShot, stageShot;
    ASSERT_TRUE(hubShot.Load(hub.string()) && stageShot.Load(stage.string()));
    Display* display = xscreen::Open();
    ASSERT_NE(display, nullptr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (chdir(root.c_str()) != 0) _exit(90);
        execl(VELDORIN_GAME, VELDORIN_GAME, "--replay", replay.c_str(), static_cast<char*>(nullptr));
        _exit(91);
    }
    if (const Window question = xscreen::WaitForWindow(display, "ウインドウモード選択", 30s)) xscreen::SendClose(display, question);
    const Window game = xscreen::WaitForWindow(display, "VELDORIN", 60s);
    ASSERT_NE(game, 0u);
    bool sawStage = false, sawHub = false;
    for (const auto end = std::chrono::steady_clock::now() + 120s; !sawHub && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(200ms);
        const xscreen::Pixels picture = xscreen::Grab(display, xscreen::AreaOf(display, game));
        const double toHub = Difference(picture, hubShot), toStage = Difference(picture, stageShot);
        sawStage = sawStage || toStage < toHub;
        sawHub = sawStage && toHub < toStage / 2;
    }
    EXPECT_TRUE(sawStage) << "the replay shows the stage";
    EXPECT_TRUE(sawHub) << "the replay reaches the goal and the hub follows";
    RunProcess("xdotool windowfocus --sync " + std::to_string(game) + " key Escape");
    int status = -1;
    EXPECT_TRUE(xscreen::WaitForExit(pid, status, 30s)) << "Esc leaves the replay";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    XCloseDisplay(display);
    content.keep = HasFailure();
}

}  // namespace
