// The player's volumes and the pause: how the device's volume follows from the game's own.
#include <algorithm>
#include <cmath>

#include "sound/Music.h"
#include "sound/SoundManager.h"

namespace {

constexpr long kSilence = -10000;  // hundredths of a decibel

// A gain in percent as hundredths of a decibel.
long GainVolume(int percent) {
    if (percent <= 0) return kSilence;
    if (percent >= 100) return 0;
    return std::lround(2000.0 * std::log10(percent / 100.0));
}

}  // namespace

long SoundManager::DeviceVolume(int slot, long volume) const {
    const bool music = IsMusicSlot(slot);
    const int gain = music ? musicGain : effectsGain;
    if (gain <= 0) return kSilence;
    const long drop = paused && music ? kPausedMusicDrop : 0;
    return std::max(kSilence, volume + GainVolume(gain) + drop);
}

void SoundManager::SetGains(int musicPercent, int effectsPercent) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        musicGain = std::clamp(musicPercent, 0, 100);
        effectsGain = std::clamp(effectsPercent, 0, 100);
    }
    if (!silent) FollowRecords();
}

void SoundManager::SetPaused(bool on) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (paused == on) return;
        paused = on;
    }
    if (!silent) FollowRecords();
}
