// The game names files in any mix of cases and with back slashes; one tree on disk must serve all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "platform/sys/Paths.h"

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veldorin_paths_" + std::to_string(::getpid()));
        fs::create_directories(root / "data" / "xfile" / "Bullet");
        std::ofstream(root / "data" / "xfile" / "Bullet" / "ice.x") << "xof";
        previous = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    fs::path root, previous;
};

TEST_F(PathsTest, MatchesEveryComponentIgnoringCaseAndBackSlashes) {
    EXPECT_EQ(platform::ResolvePath("data/xfile/Bullet/ice.x"), "data/xfile/Bullet/ice.x");
    EXPECT_EQ(platform::ResolvePath("Data/xfile/bullet/ICE.x"), "data/xfile/Bullet/ice.x");
    EXPECT_EQ(platform::ResolvePath("data\\xfile\\bullet\\ice.x"), "data/xfile/Bullet/ice.x");
    FILE* file = platform::OpenFile("DATA\\XFILE\\BULLET\\Ice.X", "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
}

TEST_F(PathsTest, MissingPathsStayAsWrittenAndFailToOpen) {
    EXPECT_EQ(platform::ResolvePath("data\\xfile\\nothing\\ice.x"), "data/xfile/nothing/ice.x");
    EXPECT_EQ(platform::OpenFile("data/xfile/Bullet/missing.x", "rb"), nullptr);
    EXPECT_EQ(platform::ResolvePath(""), "");
}

TEST_F(PathsTest, NewFilesGoIntoTheExistingFolderUnderTheirOwnName) {
    FILE* file = platform::OpenFile("DATA/Xfile/new.txt", "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(fs::exists(root / "data" / "xfile" / "new.txt"));
}

// Whole-file reads take regular files up to the limit only: an oversized file (sparse, so the test
// writes nothing), a folder, a pipe with no writer and an endless device are refused at once.
TEST_F(PathsTest, WholeFileReadsRefuseHugeAndNonRegularFiles) {
    {
        std::ofstream huge(root / "huge.x", std::ios::binary);
    }
    fs::resize_file(root / "huge.x", platform::kMaxReadBytes + 1);
    ASSERT_EQ(::mkfifo((root / "pipe.fx").c_str(), 0600), 0);
    const std::pair<std::string, bool> cases[] = {
        {"HUGE.x", false},
        {"data/xfile", false},
        {"Pipe.fx", false},
        {"/dev/zero", false},
        {"data/XFILE/bullet/ICE.X", true},
        {"data/xfile/Bullet/missing.x", false},
    };
    for (const auto& [path, readable] : cases) {
        std::string bytes = "kept:";
        ASSERT_EQ(platform::ReadFile(path, bytes), readable) << path;
        EXPECT_EQ(bytes, readable ? "kept:xof" : "kept:") << path;
    }
}
