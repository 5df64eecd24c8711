// The player's settings through the runner: the look, the keys and damaged settings files, and the
// settings file's reader and writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsFile.h"
#include "sound/SoundManager.h"
#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

class SimOptionsTest : public ::testing::Test {
protected:
    // The dump lines of a run of stage 1 with the script and, unless settings is null, that settings file.
    std::vector<std::string> Run(const std::string& script, const char* settings, int frames = 60) {
        std::ofstream(content.root / "script.txt") << script;
        std::string options;
        if (settings) {
            std::ofstream(content.root / "settings.ini", std::ios::binary) << settings;
            options = " --settings " + (content.root / "settings.ini").string();
        }
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --scene 2 --frames " +
                                             std::to_string(frames) + " --input " + (content.root / "script.txt").string() +
                                             " --dump " + (content.root / "dump.jsonl").string() + options);
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<std::string> lines;
        std::istringstream in(ReadFile((content.root / "dump.jsonl").string()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    ScratchContent content{"options"};
};

std::string Field(const std::string& line, const char* pattern) {
    const PatternMatch m = Pattern(pattern).Search(line);
    return m ? m[1] : "?";
}

// 40 pixels right and 40 up in frame 10: the designed 4 px a degree turns 10 degrees and tilts up to the
// lower stop; 200 % with inverted look turns 20 degrees and tilts 20 degrees down. A file that cannot be
// read, in whole or in part, keeps the defaults for what it cannot read, and the stage plays.
TEST_F(SimOptionsTest, MouseLookFollowsTheSettingsAndDamagedFilesGiveTheDefaults) {
    const struct {
        const char* settings;
        const char* h;
        const char* v;
    } cases[] = {
        {nullptr, "10", "-5"},
        {"[options]\nmouse = 200\ninvert_look = yes\n", "20", "20"},
        {"", "10", "-5"},
        {"[options]\nmouse = 2", "10", "-5"},  // cut: 2 % is out of range
        {"\x7f\x45LF\x02\x01\x01\0\0[[[=\n\xff\xfe", "10", "-5"},
        {"[options]\nmouse = 9000\ninvert_look = maybe\nmusic = -4\n", "10", "-5"},
        {"[options]\nmouse = 50x\n[other]\nmouse = 200\n", "10", "-5"},
        {"[options]\nmouse=400\nmouse = nonsense\ninvert_look=yes\n", "40", "30"},  // the good value stays
    };
    for (const auto& c : cases) {
        const auto lines = Run("10 MOUSE=40,-40\n", c.settings, 12);
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(Field(lines[11], R"("mouse":\{"v":([-\d.]+),"h":([-\d.]+)\})"), c.v) << (c.settings ? c.settings : "none");
        EXPECT_EQ(Field(lines[11], R"("mouse":\{"v":[-\d.]+,"h":([-\d.]+)\})"), c.h) << (c.settings ? c.settings : "none");
        EXPECT_NE(lines[11].find("\"class\":\"Player\""), std::string::npos);
    }
}

// Jumping with the designed Space, and with J once jump is bound to it: the old key then does nothing.
TEST_F(SimOptionsTest, AReboundJumpKeyJumpsAndTheOldOneNoLonger) {
    const struct {
        const char* settings;
        const char* key;
        bool jumps;
    } cases[] = {{nullptr, "SPACE", true}, {nullptr, "J", false}, {"[options]\njump = J\n", "J", true},
                 {"[options]\njump = J\n", "SPACE", false}, {"[options]\njump = ESC\n", "SPACE", true}};
    for (const auto& c : cases) {
        const auto lines = Run(std::string("20-22 ") + c.key + "\n", c.settings, 40);
        bool inAir = false;
        for (const auto& line : lines) inAir = inAir || line.find("\"inAir\":1") != std::string::npos;
        EXPECT_EQ(inAir, c.jumps) << c.key << " with " << (c.settings ? c.settings : "no file");
    }
}

// A journal keeps the look and keys it was played with: played back under other settings, or none, it
// plays the same, and the viewer's settings file is left as it was.
TEST_F(SimOptionsTest, AJournalPlaysAsPlayedWhateverTheViewersSettings) {
    const fs::path journal = content.root / "journal.txt";
    const std::string played = "[options]\nmouse = 200\ninvert_look = yes\njump = J\n";
    const std::string other = "[options]\nmouse = 50\njump = K\n";
    const auto original = Run("10 MOUSE=40,-40\n20-22 J\n", played.c_str(), 40);
    ASSERT_EQ(RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --scene 2 --frames 40 --input " +
                         (content.root / "script.txt").string() + " --journal " + journal.string() + " --settings " +
                         (content.root / "settings.ini").string()).status, 0);
    const std::string text = ReadFile(journal.string());
    EXPECT_NE(text.substr(0, text.find('\n')).find(" look=200,1 keys=87,83,65,68,74,1"), std::string::npos) << text;
    for (const char* viewer : {static_cast<const char*>(nullptr), other.c_str()}) {
        EXPECT_EQ(Run(text, viewer, 40), original);
        if (viewer) {
            EXPECT_EQ(ReadFile((content.root / "settings.ini").string()), other);
        }
    }
}

// What is written reads back the same; the volumes are gains on the slots' designed volumes.
TEST(SettingsFile, WrittenSettingsReadBackAndVolumesAreGains) {
    GameSettings s;
    EXPECT_EQ(ReadSettings("/nonexistent/settings.ini"), GameSettings{});
    s.musicVolume = 30;
    s.effectsVolume = 0;
    s.mouseSensitivity = 150;
    s.invertLook = true;
    s.windowMode = WindowMode::Window;
    s.picture = platform::PictureQuality::Light;
    s.keys.jump = 'J';
    s.keys.fire = VK_RBUTTON;
    const fs::path path = fs::temp_directory_path() / ("veldorin_settings_" + std::to_string(::getpid())) / "a" / "s.ini";
    ASSERT_TRUE(WriteSettings(path.string(), s));
    EXPECT_EQ(ReadSettings(path.string()), s);
    EXPECT_FALSE(fs::exists(path.string() + ".tmp"));
    fs::remove_all(path.parent_path().parent_path());

    SoundManager& sound = SoundManager::GetInstance();
    EXPECT_EQ(sound.DeviceVolume(0, SoundManager::kMusicVolume), -100);
    EXPECT_EQ(sound.DeviceVolume(16, SoundManager::kEffectVolume), -800);
    sound.SetGains(50, 0);
    EXPECT_EQ(sound.DeviceVolume(1, -100), -100 - 602);
    EXPECT_EQ(sound.DeviceVolume(16, -800), -10000);
    sound.SetPaused(true);
    EXPECT_EQ(sound.DeviceVolume(1, -100), -100 - 602 + SoundManager::kPausedMusicDrop);
    sound.SetPaused(false);
    sound.SetGains(100, 100);
    EXPECT_EQ(sound.DeviceVolume(1, -100), -100);
}

}  // namespace
