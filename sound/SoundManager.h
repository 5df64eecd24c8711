#pragma once
// The game's sound slots: fifty numbered slots, each holding one sound, played by number from game
// code. Volumes are in hundredths of a decibel (0 full, -800 for effects, -100 for music). Until the
// audio back end is wired in every slot is empty and playing one is silent; the requests are still
// counted, so the game's calls can be checked.
#include <array>

class SoundManager {
public:
    static constexpr int kSlotCount = 50;
    static constexpr long kEffectVolume = -800;
    static constexpr long kMusicVolume = -100;

    // What the game asked of one slot since the counts were last cleared.
    struct Request {
        int plays = 0;
        long volume = 0;  // of the last Play
        bool looping = false;
        int stops = 0;
    };

    static SoundManager& GetInstance();

    // Plays the slot once, or looping; a slot that is already playing is not restarted. Slot numbers
    // outside 0 .. 49 are ignored.
    void Play(int slot, long volume, bool loop = false);
    void Stop(int slot);

    const Request& Requested(int slot) const;
    void ClearRequests();

private:
    SoundManager() = default;
    std::array<Request, kSlotCount> requests{};
};
