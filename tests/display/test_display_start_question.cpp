// The start question of the real game under an X server: --window and --fullscreen answer it, and so
// does the window mode stored in the settings; with neither the game asks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/TestCourtyard.h"
#include "tests/support/XScreen.h"

namespace {

using namespace xscreen;
namespace fs = std::filesystem;

constexpr char kQuestion[] = "ウインドウモード選択";

// Starts the game in root with its own empty home (holding the settings text, if any).
pid_t StartGame(const fs::path& root, const std::string& argument, const std::string& settings) {
    const fs::path config = root / "home" / ".config" / "veldorin";
    fs::create_directories(config);
    if (!settings.empty()) std::ofstream(config / "settings.ini") << settings;
    const pid_t pid = fork();
    if (pid == 0) {
        // A group of its own: the question box is a process of its own, forked by the game.
        setpgid(0, 0);
        if (chdir(root.c_str()) != 0) _exit(127);
        setenv("HOME", (root / "home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        const std::string game = VELDORIN_GAME;
        if (argument.empty()) execl(game.c_str(), game.c_str(), nullptr);
        else execl(game.c_str(), game.c_str(), argument.c_str(), nullptr);
        _exit(127);
    }
    return pid;
}

TEST(DisplayStartQuestion, TheCommandLineOrTheStoredModeAnswersItAndOtherwiseTheGameAsks) {
    Display* display = Open();
    ASSERT_NE(display, nullptr) << "needs an X server";
    const struct {
        const char* argument;
        const char* settings;
        bool asks;
        bool fullScreen;
    } cases[] = {{"--window", "", false, false},
                 {"--fullscreen", "[options]\nwindow = window\n", false, true},
                 {"", "[options]\nwindow = window\n", false, false},
                 {"", "[options]\nwindow = fullscreen\n", false, true},
                 {"", "[options]\nwindow = sideways\n", true, false}};
    ScratchContent content{"question"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.argument) + " " + c.settings);
        const pid_t game = StartGame(content.root, c.argument, c.settings);
        const Window question = WaitForWindow(display, kQuestion, c.asks ? 60s : 0s);
        const Window window = c.asks ? 0 : WaitForWindow(display, "VELDORIN", 120s);
        EXPECT_EQ(question != 0, c.asks);
        if (!c.asks) {
            ASSERT_NE(window, 0u);
            EXPECT_EQ(WaitForWindow(display, kQuestion, 0s), 0u);  // not asked meanwhile either
            const Area area = AreaOf(display, window);
            EXPECT_EQ(area == ScreenArea(display), c.fullScreen);
            SendClose(display, window);
        } else {
            kill(-game, SIGKILL);  // the question waits for a person; its box goes with the game
        }
        int status = 0;
        EXPECT_TRUE(WaitForExit(game, status, 60s));
        EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, !c.asks);
    }
    XCloseDisplay(display);
}

}  // namespace
