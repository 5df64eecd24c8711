// Where the game keeps what it writes: the working directory when it may write there, the player's
// data folder (SDL's preference path) when the content tree is read-only, as an installed one is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "loading/SaveData.h"
#include "platform/image/Screenshots.h"
#include "platform/sys/PlayerData.h"
#include "tests/support/GraphicsFixture.h"
#include "tests/support/Player.h"
#include "tests/support/Process.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(PlayerData, AWritableWorkingDirectoryKeepsTheGamesOwnPaths) {
    testsupport::TempDir dir("player_writable");
    EXPECT_EQ(platform::PlayerFilePath("save.dat"), "save.dat");
    EXPECT_EQ(platform::PlayerFilePath("Data/txt/Stage.txt"), "Data/txt/Stage.txt");
    EXPECT_TRUE(WriteProgress(4));
    EXPECT_EQ(ReadFile("save.dat"), "4\n");
}

TEST(PlayerData, AReadOnlyContentTreeKeepsProgressInThePlayersFolderStartingAsANewGame) {
    testsupport::TempDir dir("player_readonly");
    const fs::path content = dir.root / "content", data = dir.root / "data";
    testsupport::MakePlayerFolder(dir.root);
    Write(content / "Data/txt/Stage.txt", "2\n");
    testsupport::MakePlayerFolder(data);
    ASSERT_EQ(std::system(("chmod -R a-w " + content.string()).c_str()), 0);

    // First run: nothing in the player's folder reads as a new game, whatever the content holds.
    // Then a save, read back, and the fallback file rewritten beside it.
    const int status = testsupport::RunAsPlayer([&] {
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        if (::chdir(content.c_str()) != 0) return 90;
        const int first = ReadProgress();
        if (!WriteProgress(3)) return 91;
        return first * 16 + ReadProgress();
    });
    EXPECT_EQ(status, 1 * 16 + 3) << "first read " << status / 16 << ", second " << status % 16;
    EXPECT_EQ(ReadFile((data / "veldorin/save.dat").string()), "3\n");
    EXPECT_EQ(ReadFile((data / "veldorin/Data/txt/Stage.txt").string()), "1\n");
    EXPECT_FALSE(fs::exists(content / "save.dat"));
    EXPECT_EQ(ReadFile((content / "Data/txt/Stage.txt").string()), "2\n");
    std::system(("chmod -R u+w " + content.string()).c_str());
}

TEST(PlayerData, ScreenshotsAreNamedByDateAndTimeAndNeverOverwritten) {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 7;
    when.tm_min = 8;
    when.tm_sec = 9;
    EXPECT_EQ(platform::ScreenshotName(when, 0), "veldorin_2024-03-05_07-08-09.png");
    EXPECT_EQ(platform::ScreenshotName(when, 1), "veldorin_2024-03-05_07-08-09_2.png");
    EXPECT_EQ(platform::ScreenshotName(when, 11), "veldorin_2024-03-05_07-08-09_12.png");

    testsupport::TempDir dir("player_shots");
    ::setenv("XDG_DATA_HOME", dir.root.c_str(), 1);
    const std::string first = platform::NewScreenshotPath();
    EXPECT_EQ(fs::path(first).parent_path(), dir.root / "veldorin" / "screenshots");
    EXPECT_TRUE(fs::is_directory(fs::path(first).parent_path()));
    Write(first, "taken");
    const std::string second = platform::NewScreenshotPath();
    EXPECT_NE(second, first);
    EXPECT_FALSE(fs::exists(second));
    ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
