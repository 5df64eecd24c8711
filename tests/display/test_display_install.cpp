// The game installed as a player installs it: `cmake --install` into a fresh prefix, started from
// its desktop menu entry by an ordinary user, with the content tree read-only. It must start, and
// what it writes (an F12 screenshot here) must land in the player's data folder, never in the
// content tree. Needs an X display (the test script starts Xvfb).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "tests/support/Player.h"
#include "tests/support/Process.h"
#include "tests/support/XScreen.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The value of a key of the desktop entry ("" when missing).
std::string EntryValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "";
}

std::set<std::string> TreeOf(const fs::path& root) {
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root)) paths.insert(entry.path().string());
    return paths;
}

bool HasFileIn(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && !fs::is_empty(folder, ec);
}

TEST(DisplayInstall, TheMenuEntryStartsTheInstalledGameWhichWritesOnlyToThePlayersFolder) {
    Display* display = xscreen::Open();
    ASSERT_NE(display, nullptr) << "needs an X server (the test script starts Xvfb)";
    const fs::path root = fs::temp_directory_path() / ("veldorin_install_" + std::to_string(::getpid()));
    const fs::path prefix = root / "prefix", data = root / "data", home = root / "home";
    fs::remove_all(root);
    testsupport::MakePlayerFolder(root);
    testsupport::MakePlayerFolder(data);
    testsupport::MakePlayerFolder(home);

    const ProcessResult install =
        RunProcess(std::string("cmake --install ") + VELDORIN_BUILD_DIR + " --prefix " + prefix.string());
    ASSERT_EQ(install.status, 0) << install.err;
    const fs::path content = prefix / "share/veldorin";
    EXPECT_TRUE(fs::is_directory(content / "Data/txt"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "libexec/veldorin/veldorin"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/icons/hicolor/scalable/apps/veldorin.svg"));
    EXPECT_FALSE(fs::exists(content / "save.dat"));

    const std::string entry = ReadFile((prefix / "share/applications/veldorin.desktop").string());
    EXPECT_EQ(EntryValue(entry, "Type"), "Application");
    EXPECT_EQ(EntryValue(entry, "Icon"), "veldorin");
    EXPECT_NE(EntryValue(entry, "Categories").find("Game;"), std::string::npos);
    const std::string exec = EntryValue(entry, "Exec");
    EXPECT_EQ(exec, (prefix / "bin/veldorin").string());
    ASSERT_EQ(::access(exec.c_str(), X_OK), 0) << "the launcher " << exec;

    ASSERT_EQ(std::system(("chmod -R a-w " + content.string()).c_str()), 0);
    const std::set<std::string> contentBefore = TreeOf(content);
    // The player's own key to the X server (the one xvfb-run made is root's alone).
    const fs::path auth = root / "Xauthority";
    if (const char* serverAuth = std::getenv("XAUTHORITY")) {
        std::ofstream(auth, std::ios::binary) << ReadFile(serverAuth);
        if (::geteuid() == 0 && ::chown(auth.c_str(), testsupport::kPlayerId, testsupport::kPlayerId) != 0) {
            ADD_FAILURE() << "cannot hand the X key to the player";
        }
    }

    int status = -1;
    const pid_t watcher = fork();  // the player's session: a menu starting the entry from elsewhere
    ASSERT_GE(watcher, 0);
    if (watcher == 0) {
        _exit(testsupport::RunAsPlayer([&] {
            ::setenv("XDG_DATA_HOME", data.c_str(), 1);
            ::setenv("HOME", home.c_str(), 1);
            if (fs::exists(auth)) ::setenv("XAUTHORITY", auth.c_str(), 1);
            if (::chdir("/") != 0) return 92;
            execl(exec.c_str(), exec.c_str(), static_cast<char*>(nullptr));
            return 93;
        }));
    }

    const Window question = xscreen::WaitForWindow(display, "ウインドウモード選択", 30s);
    EXPECT_NE(question, 0u) << "the installed game asks its question";
    if (question) xscreen::SendClose(display, question);  // windowed
    const Window game = xscreen::WaitForWindow(display, "VELDORIN", 60s);
    EXPECT_NE(game, 0u) << "the installed game opens its window";
    if (game) {
        RunProcess("xdotool windowfocus --sync " + std::to_string(game) + " key F12");
        const auto end = std::chrono::steady_clock::now() + 30s;
        while (!HasFileIn(data / "veldorin/screenshots") && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_TRUE(HasFileIn(data / "veldorin/screenshots")) << "F12 saved nothing in the player's folder";
        xscreen::SendClose(display, game);
    }
    EXPECT_TRUE(xscreen::WaitForExit(watcher, status, 30s)) << "the game did not end after the close";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(TreeOf(content), contentBefore) << "the game wrote into its content tree";

    std::system(("chmod -R u+w " + root.string()).c_str());
    fs::remove_all(root);
    XCloseDisplay(display);
}

}  // namespace
