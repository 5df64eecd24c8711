// The sound slots: the game's record of what plays by its own clock, a playing slot not restarted,
// empty slots doing nothing, loading from a resource list line on another thread, volumes as gains,
// and the sound buffers in the (silent) audio device.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "loading/ResourceList.h"
#include "platform/audio/Volume.h"
#include "platform/sys/Clock.h"
#include "sound/Music.h"
#include "sound/SoundManager.h"
#include "tests/support/WaveBytes.h"

namespace {

constexpr int kSlot = 20;

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetClock(&clock);
        sound.Init();
        sound.ClearRequests();
    }
    void TearDown() override {
        sound.Release();
        sound.ClearRequests();
        platform::SetClock(nullptr);
    }
    void At(uint32_t ms) { clock.Advance(ms - clock.NowMs()); }

    SoundManager& sound = SoundManager::GetInstance();
    platform::SimulatedClock clock;
    TempWave second{"second", SineWave(44100)};  // exactly one second
};

}  // namespace

TEST_F(SoundManagerTest, AWaveFillsItsSlotWithItsLength) {
    EXPECT_TRUE(sound.LoadWave(kSlot, second.path));
    EXPECT_TRUE(sound.IsLoaded(kSlot));
    EXPECT_EQ(sound.GetLengthMs(kSlot), 1000u);
    EXPECT_FALSE(sound.IsPlaying(kSlot));
}

TEST_F(SoundManagerTest, ASoundPlayedOnceRunsForItsLengthByTheGameClock) {
    sound.LoadWave(kSlot, second.path);
    sound.Play(kSlot, SoundManager::kEffectVolume);
    At(999);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
    At(1000);
    EXPECT_FALSE(sound.IsPlaying(kSlot));
    // Played again after its end it starts afresh.
    sound.Play(kSlot, SoundManager::kEffectVolume);
    At(1999);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
}

TEST_F(SoundManagerTest, PlayingAPlayingSlotDoesNotRestartIt) {
    sound.LoadWave(kSlot, second.path);
    sound.Play(kSlot, SoundManager::kEffectVolume);
    At(600);
    sound.Play(kSlot, SoundManager::kEffectVolume);
    At(1000);
    EXPECT_FALSE(sound.IsPlaying(kSlot)) << "a restart at 600 ms would still be playing";
    EXPECT_EQ(sound.Requested(kSlot).plays, 2);
}

TEST_F(SoundManagerTest, LoopingPlaysUntilStoppedAndStartsAgainAfterwards) {
    sound.LoadWave(kSlot, second.path);
    sound.Play(kSlot, SoundManager::kMusicVolume, true);
    At(5500);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
    ASSERT_EQ(sound.GetPlaying().size(), 1u);
    EXPECT_TRUE(sound.GetPlaying()[0].looping);
    sound.Stop(kSlot);
    EXPECT_FALSE(sound.IsPlaying(kSlot));
    EXPECT_TRUE(sound.GetPlaying().empty());
    sound.Play(kSlot, SoundManager::kMusicVolume, true);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
}

TEST_F(SoundManagerTest, ALoopAskedToPlayOnceFinishesItsPass) {
    sound.LoadWave(kSlot, second.path);
    sound.Play(kSlot, 0, true);
    At(2300);
    sound.Play(kSlot, 0, false);
    At(2999);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
    At(3000);
    EXPECT_FALSE(sound.IsPlaying(kSlot));
}

TEST_F(SoundManagerTest, PlayingSlotsAreListedInSlotOrderWithTheirLooping) {
    for (int slot : {7, 3, 0}) sound.LoadWave(slot, second.path);
    sound.Play(7, SoundManager::kEffectVolume);
    sound.Play(0, SoundManager::kMusicVolume, true);
    sound.Play(3, SoundManager::kEffectVolume);
    const std::vector<SoundManager::Playing> playing = sound.GetPlaying();
    ASSERT_EQ(playing.size(), 3u);
    EXPECT_EQ(playing[0].slot, 0);
    EXPECT_TRUE(playing[0].looping);
    EXPECT_EQ(playing[1].slot, 3);
    EXPECT_FALSE(playing[1].looping);
    EXPECT_EQ(playing[2].slot, 7);
}

TEST_F(SoundManagerTest, EmptySlotsDoNothing) {
    sound.Play(kSlot, SoundManager::kEffectVolume);
    sound.Stop(kSlot);
    EXPECT_FALSE(sound.IsLoaded(kSlot));
    EXPECT_FALSE(sound.IsPlaying(kSlot));
    EXPECT_EQ(sound.GetBuffer(kSlot), nullptr);
    EXPECT_TRUE(sound.GetPlaying().empty());
    // The game's requests are still counted.
    EXPECT_EQ(sound.Requested(kSlot).plays, 1);
    EXPECT_EQ(sound.Requested(kSlot).stops, 1);
    // Slot numbers outside the table are ignored.
    for (int slot : {-1, SoundManager::kSlotCount}) {
        EXPECT_FALSE(sound.LoadWave(slot, second.path));
        sound.Play(slot, 0, true);
        sound.Stop(slot);
        EXPECT_FALSE(sound.IsPlaying(slot));
    }
}

TEST_F(SoundManagerTest, AMissingOrMalformedFileLeavesTheSlotEmpty) {
    sound.LoadWave(kSlot, second.path);
    sound.Play(kSlot, 0, true);
    const std::vector<uint8_t> whole = SineWave(100);
    TempWave cut("cut", std::vector<uint8_t>(whole.begin(), whole.end() - 10));
    EXPECT_FALSE(sound.LoadWave(kSlot, cut.path));
    EXPECT_FALSE(sound.IsLoaded(kSlot));
    EXPECT_FALSE(sound.IsPlaying(kSlot)) << "the sound it held went with it";
    EXPECT_FALSE(sound.LoadWave(kSlot + 1, "/tmp/veldorin_no_such_sound.wav"));
    EXPECT_FALSE(sound.IsLoaded(kSlot + 1));
}

TEST_F(SoundManagerTest, AResourceListLineLoadsItsSlotOnTheLoaderThread) {
    std::thread loader([&] { LoadResource(ParseResourceRecord("2,31," + second.path)); });
    loader.join();
    EXPECT_TRUE(sound.IsLoaded(31));
    EXPECT_EQ(sound.GetLengthMs(31), 1000u);
}

TEST_F(SoundManagerTest, TheScenesSwitchTheMusicSlots) {
    StopTitleMusic();
    StartGameMusic();
    EXPECT_EQ(sound.Requested(kTitleMusicSlot).stops, 1);
    EXPECT_EQ(sound.Requested(kGameMusicSlot).plays, 1);
    EXPECT_EQ(sound.Requested(kGameMusicSlot).volume, -100);
    EXPECT_TRUE(sound.Requested(kGameMusicSlot).looping);
    StopGameMusic();
    StartTitleMusic();
    EXPECT_EQ(sound.Requested(kGameMusicSlot).stops, 1);
    EXPECT_EQ(sound.Requested(kTitleMusicSlot).plays, 1);
    EXPECT_EQ(sound.Requested(kTitleMusicSlot).volume, -100);
    EXPECT_TRUE(sound.Requested(kTitleMusicSlot).looping);
}

TEST_F(SoundManagerTest, TheDeviceBufferOfAPlayingSlotKeepsItsPlace) {
    TempWave tenSeconds("ten", SineWave(441000));
    sound.LoadWave(kSlot, tenSeconds.path);
    const SoundBuffer* buffer = sound.GetBuffer(kSlot);
    if (!buffer) GTEST_SKIP() << "no audio device";
    sound.Play(kSlot, SoundManager::kEffectVolume);
    ASSERT_TRUE(buffer->IsPlaying());
    const_cast<SoundBuffer*>(buffer)->SetPosition(200000);
    sound.Play(kSlot, SoundManager::kEffectVolume);
    EXPECT_GE(buffer->GetPosition(), 200000u) << "Play rewound a playing buffer";
    EXPECT_TRUE(buffer->IsPlaying());
    sound.Stop(kSlot);
    EXPECT_FALSE(buffer->IsPlaying());
}

TEST_F(SoundManagerTest, FormatsTheDeviceCannotPlayStillKeepTheGamesRecord) {
    std::vector<uint8_t> data(300, 0);
    TempWave deep("deep", WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 1, 44100, 24)).Chunk("data", data).Bytes());
    EXPECT_TRUE(sound.LoadWave(kSlot, deep.path));
    EXPECT_EQ(sound.GetBuffer(kSlot), nullptr);
    sound.Play(kSlot, 0);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
}

TEST_F(SoundManagerTest, WithoutADeviceEverySlotIsSilentButKeepsItsRecord) {
    sound.Release();  // closes the device
    EXPECT_TRUE(sound.LoadWave(kSlot, second.path));
    EXPECT_EQ(sound.GetBuffer(kSlot), nullptr);
    sound.Play(kSlot, SoundManager::kEffectVolume);
    EXPECT_TRUE(sound.IsPlaying(kSlot));
}

TEST(SoundVolume, HundredthsOfADecibelBecomeGains) {
    EXPECT_FLOAT_EQ(GainFromVolume(0), 1.0f);
    EXPECT_NEAR(GainFromVolume(-100), 0.8913f, 1e-4);  // music
    EXPECT_NEAR(GainFromVolume(-800), 0.3981f, 1e-4);  // effects: 7 dB under the music
    EXPECT_NEAR(GainFromVolume(-2000), 0.1f, 1e-6);
    EXPECT_NEAR(GainFromVolume(-6000), 0.001f, 1e-7);
    EXPECT_EQ(GainFromVolume(-10000), 0.0f);
    EXPECT_EQ(GainFromVolume(-20000), 0.0f);
    EXPECT_FLOAT_EQ(GainFromVolume(500), 1.0f);
}
