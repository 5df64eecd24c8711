// The progress number: reading with its fallback, and writing that never leaves a broken save behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "loading/SaveData.h"
#include "../support/GraphicsFixture.h"

namespace fs = std::filesystem;

namespace {
std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
}  // namespace

class SaveDataTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories("Data/txt"); }
    testsupport::TempDir dir{"save"};
};

TEST_F(SaveDataTest, SaveWinsAndResetsTheFallbackToOne) {
    Write("save.dat", "3\r\n");
    Write("Data/txt/Stage.txt", "2\n");
    EXPECT_EQ(ReadProgress(), 3);
    EXPECT_EQ(Contents("Data/txt/Stage.txt"), "1\n");
}

TEST_F(SaveDataTest, LeadingSpaceAndTrailingLettersStillRead) {
    Write("save.dat", "2abc\n7\n");
    EXPECT_EQ(ReadProgress(), 2);
    Write("save.dat", " 2\n");
    EXPECT_EQ(ReadProgress(), 2);
}

TEST_F(SaveDataTest, FallbackIsReadAndLeftAloneWithoutASave) {
    Write("Data/txt/Stage.txt", "2\n");
    EXPECT_EQ(ReadProgress(), 2);
    EXPECT_EQ(Contents("Data/txt/Stage.txt"), "2\n");
    EXPECT_FALSE(fs::exists("save.dat"));
}

TEST_F(SaveDataTest, NothingReadableIsANewGame) {
    EXPECT_EQ(ReadProgress(), 1);
    for (const char* damaged : {"", "\n", "abc\n", "99999999999\n", "\x01\x02\n", "0\n", "-7\n"}) {
        Write("save.dat", damaged);
        EXPECT_EQ(ReadProgress(), 1) << "save.dat holding '" << damaged << "'";
    }
}

TEST_F(SaveDataTest, WriteReplacesTheWholeFile) {
    Write("save.dat", "3\nold second line that must go\n");
    ASSERT_TRUE(WriteProgress(2));
    EXPECT_EQ(Contents("save.dat"), "2\n");
    EXPECT_EQ(ReadProgress(), 2);
    EXPECT_FALSE(fs::exists("save.dat.tmp"));
}

// The new content goes to a temporary file first; when that cannot be written the old save stays as
// it was instead of being truncated.
TEST_F(SaveDataTest, FailedWriteKeepsTheOldSave) {
    Write("save.dat", "3\n");
    fs::create_directory("save.dat.tmp");  // the temporary file cannot be created
    EXPECT_FALSE(WriteProgress(2));
    EXPECT_EQ(Contents("save.dat"), "3\n");
}

TEST_F(SaveDataTest, FallbackFolderFoundWhateverItsCase) {
    fs::remove_all("Data");
    fs::create_directories("data/TXT");
    Write("data/TXT/stage.txt", "2\n");
    Write("save.dat", "3\n");
    EXPECT_EQ(ReadProgress(), 3);
    EXPECT_EQ(Contents("data/TXT/stage.txt"), "1\n");
}

namespace {
// The syncs a write makes: 'f' for a regular file, 'd' for a folder (with its inode).
std::string syncs;
ino_t syncedFolder = 0;
int NoteSync(int fd) {
    struct stat info {};
    ::fstat(fd, &info);
    syncs += S_ISDIR(info.st_mode) ? 'd' : 'f';
    if (S_ISDIR(info.st_mode)) syncedFolder = info.st_ino;
    return 0;
}
}  // namespace

// The new number survives a power loss once the write returns: the temporary file is synced before the
// rename, the folder holding the save after it; wherever the save lives.
TEST_F(SaveDataTest, WritesSyncTheFileThenItsFolder) {
    SetSyncCall(NoteSync);
    const std::pair<const char*, fs::path> cases[] = {{kSaveFile, "."}, {"data/TXT/stage.txt", "Data/txt"}};
    for (const auto& [file, folder] : cases) {
        syncs.clear();
        syncedFolder = 0;
        EXPECT_TRUE(WriteNumberFile(file, 4)) << file;
        struct stat info {};
        ASSERT_EQ(::stat(folder.c_str(), &info), 0);
        EXPECT_EQ(syncs, "fd") << file;
        EXPECT_EQ(syncedFolder, info.st_ino) << file;
    }
    SetSyncCall(nullptr);
    EXPECT_EQ(ReadProgress(), 4);
}
