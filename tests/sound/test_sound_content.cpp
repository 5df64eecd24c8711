// The generated music and effects, listened to through their levels: the music is not silent
// anywhere, never clips, lasts a whole number of bars and loops without a jump; every effect is short,
// clean at both ends and at its level.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/Levels.h"
#include "tests/support/WaveBytes.h"

namespace {

const std::string kGame = VELDORIN_GAME_DIR;

struct Music {
    const char* file;
    size_t framesPerBar;
};

// Title: three beats of 31500 frames (84 a minute); stage: four of 21000 (126 a minute).
const Music kMusic[] = {{"/data/sound/bgm/Title.wav", 3 * 31500}, {"/data/sound/bgm/Stage.wav", 4 * 21000}};

const char* const kEffects[] = {"TitleStart", "Footstep", "Slide",       "ShotImpact", "Landing",
                                "DoorMove",   "DoorStop", "ChestSparkle", "Switch",     "StoneStatue",
                                "BoxPush",    "BoxBurst", "ItemTaken",   "ChestOpen",  "GunFire"};

}  // namespace

TEST(SoundContent, MusicIsWholeBarsNeverSilentNeverClipped) {
    for (const Music& music : kMusic) {
        SCOPED_TRACE(music.file);
        int channels = 0, rate = 0;
        const std::vector<float> left = ReadChannel(kGame + music.file, 0, &channels, &rate);
        ASSERT_FALSE(left.empty());
        EXPECT_EQ(channels, 2);
        EXPECT_EQ(rate, 44100);
        const float seconds = static_cast<float>(left.size()) / 44100.0f;
        EXPECT_GE(seconds, 30.0f);
        EXPECT_LE(seconds, 90.0f);
        EXPECT_EQ(left.size() % music.framesPerBar, 0u);
        EXPECT_LT(PeakOf(left), 0.9f);
        EXPECT_GT(Decibels(RmsOf(left)), -30.0f);
        // No stretch of half a second goes quiet.
        for (size_t at = 0; at + 22050 <= left.size(); at += 22050) {
            EXPECT_GT(Decibels(RmsOf(left, at, at + 22050)), -40.0f) << "at " << at / 44100.0f << " s";
        }
    }
}

TEST(SoundContent, MusicLoopsWithoutAJump) {
    for (const Music& music : kMusic) {
        SCOPED_TRACE(music.file);
        for (int channel = 0; channel < 2; ++channel) {
            const std::vector<float> s = ReadChannel(kGame + music.file, channel);
            ASSERT_GT(s.size(), 44100u);
            // The step from the last sample back to the first is one the music makes anyway.
            std::vector<float> steps;
            for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
            std::sort(steps.begin(), steps.end());
            const float usual = steps[steps.size() * 999 / 1000];
            EXPECT_LE(std::fabs(s.front() - s.back()), usual);
            // And the end is not faded out or cut off: the last 20 ms are as loud as the 20 ms before
            // them, and the first 20 ms are not a gap.
            const float tail = RmsOf(s, s.size() - 882), before = RmsOf(s, s.size() - 1764, s.size() - 882);
            EXPECT_LT(std::fabs(Decibels(tail) - Decibels(before)), 6.0f);
            EXPECT_GT(Decibels(tail), -45.0f);
            EXPECT_GT(Decibels(RmsOf(s, 0, 882)), -45.0f);
        }
    }
}

TEST(SoundContent, EffectsAreShortCleanAndAtTheirLevel) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        int channels = 0, rate = 0;
        const std::vector<float> s = ReadChannel(kGame + "/data/sound/se/" + name + ".wav", 0, &channels, &rate);
        ASSERT_FALSE(s.empty());
        EXPECT_EQ(channels, 1);
        EXPECT_EQ(rate, 44100);
        EXPECT_GE(s.size(), 44100u / 10);
        EXPECT_LE(s.size(), 44100u * 3 / 2);
        EXPECT_LT(PeakOf(s), 0.95f);
        EXPECT_GT(PeakOf(s), 0.5f);
        // Ends that start and stop without a click.
        EXPECT_LT(std::fabs(s.front()), 0.05f);
        EXPECT_LT(PeakOf(s, s.size() - 20), 0.01f);
    }
}
