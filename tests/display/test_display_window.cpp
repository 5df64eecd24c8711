// The real window and the OpenGL device under an X server (Xvfb in the test run).
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/XScreen.h"

namespace {

using namespace std::chrono_literals;
using namespace xscreen;

TEST(DisplaySim, TheRenderedTitleShowsTheLogoOverTheHubInAnOpaque800x600Picture) {
    const std::string shot = "/tmp/veldorin_title_" + std::to_string(::getpid()) + ".png";
    const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --render --frames 8 --screenshot 5:" + shot);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=8 scene=1 quit=0");
    Screenshot picture;
    ASSERT_TRUE(picture.Load(shot)) << "no screenshot written";
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 600);
    size_t translucent = 0, icyLetters = 0, lit = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.At(x, y);
            if (p[3] != 255) ++translucent;
            // The name in icy blue across the upper band; the hub's floor and walls below it.
            if (y >= 90 && y < 250 && p[2] > 170 && p[2] - p[0] > 45) ++icyLetters;
            if (y >= 350 && p[0] + p[1] + p[2] > 150) ++lit;
        }
    }
    EXPECT_EQ(translucent, 0u);
    EXPECT_GT(icyLetters, 20000u) << "look at " << shot;
    EXPECT_GT(lit, 100000u) << "the hub behind the logo; look at " << shot;
    if (!HasFailure()) std::remove(shot.c_str());
}

// Both answers to the question: closing it means a window of 800 x 600; Yes (Return, the box's
// default) means the whole screen, without touching the screen's mode. Closing the window ends the
// game cleanly either way.
TEST(DisplayGame, AsksThenOpensAn800x600WindowOrTheWholeScreenAndClosingItEndsTheGameCleanly) {
    Display* display = xscreen::Open();
    ASSERT_NE(display, nullptr) << "needs an X server (the test script starts Xvfb)";
    const xscreen::Area screen = xscreen::ScreenArea(display);
    const std::string modeBefore = RunProcess("xrandr --current").out;
    for (const bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen ? "full screen" : "windowed");
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (chdir(VELDORIN_GAME_DIR) != 0) _exit(90);
            execl(VELDORIN_GAME, VELDORIN_GAME, static_cast<char*>(nullptr));
            _exit(91);
        }

        const Window question = WaitForWindow(display, "ウインドウモード選択", 30s);
        EXPECT_NE(question, 0u) << "the full-screen question comes first";
        if (question && fullScreen) {
            RunProcess("xdotool windowfocus --sync " + std::to_string(question) + " key Return");
        } else if (question) {
            SendClose(display, question);  // closing the question means windowed
        }

        const Window game = WaitForWindow(display, "VELDORIN", 60s);
        EXPECT_NE(game, 0u) << "the game window appears";
        if (game) {
            const xscreen::Area expected = fullScreen ? screen : xscreen::Area{0, 0, 800, 600};
            xscreen::Area area;
            const auto end = std::chrono::steady_clock::now() + 10s;
            do {
                std::this_thread::sleep_for(100ms);  // a few frames of the loop
                area = xscreen::AreaOf(display, game);
                if (!fullScreen) area.x = area.y = 0;
            } while (!(area == expected) && std::chrono::steady_clock::now() < end);
            EXPECT_EQ(area.width, expected.width);
            EXPECT_EQ(area.height, expected.height);
            EXPECT_EQ(area.x, expected.x);
            EXPECT_EQ(area.y, expected.y);
            EXPECT_EQ(RunProcess("xrandr --current").out, modeBefore) << "the screen's mode changed";
            SendClose(display, game);
        }

        int status = 0;
        const bool exited = WaitForExit(pid, status, 30s);
        EXPECT_TRUE(exited) << "the game did not end after the close";
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    XCloseDisplay(display);
}

}  // namespace
