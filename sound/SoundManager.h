#pragma once
// The game's sound slots: fifty numbered slots, each holding one whole wave file, filled from the
// resource lists and played by number from game code. Volumes are in hundredths of a decibel (0 full,
// -800 for effects, -100 for music).
//
// Besides the sound itself every slot keeps the game's own record of it: whether it was loaded, how
// long it lasts, and whether it is playing by the game's clock (a looping sound until stopped, a
// once-played sound for its length). That record, not the sound card, decides whether Play starts a
// sound, so that the same run plays the same sounds on any machine, with or without an audio device.
// Without a device every slot is silent and nothing is reported.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/sys/Win32.h"

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

    // A slot that is playing by the game's clock.
    struct Playing {
        int slot;
        bool looping;
    };

    static SoundManager& GetInstance();
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // The main window; stored by the application before Init.
    HWND hWnd = nullptr;

    // Opens the audio device; without one every slot stays silent.
    void Init();
    // Frees every slot and closes the device.
    void Release();

    // Fills the slot from a wave file; a missing or malformed file leaves the slot empty. Safe on the
    // resource loader's thread.
    bool LoadWave(int slot, const std::string& fileName);
    // What a resource list's sound line does.
    void LoadSound(int index, const std::string& fileName);

    // Sets the volume and plays the slot once, or looping; a slot that is already playing is not
    // restarted (it only takes the new volume and looping choice). Empty slots and slot numbers
    // outside 0 .. 49 do nothing.
    void Play(int slot, long volume, bool loop = false);
    // Stops the slot; the next Play starts it from the beginning.
    void Stop(int slot);

    bool IsLoaded(int slot) const;
    bool IsPlaying(int slot) const;
    // Length of the slot's sound in milliseconds, 0 when empty.
    uint32_t GetLengthMs(int slot) const;
    // Every playing slot, by number.
    std::vector<Playing> GetPlaying() const;
    // The same into out (cleared first), keeping its capacity.
    void GetPlaying(std::vector<Playing>& out) const;
    // The slot's sound in the device; null when empty or when no device is open.
    const SoundBuffer* GetBuffer(int slot) const;

    // --- the player's volumes and the pause ---
    // Music lowered while paused, in hundredths of a decibel.
    static constexpr long kPausedMusicDrop = -1500;
    // Gains on top of the slots' volumes, in percent: of the music slots and of every other slot.
    // Playing sounds take them at once; the game's records keep the volumes the game asked for.
    void SetGains(int musicPercent, int effectsPercent);
    // Paused, the effects fall silent on the device (their records go on untouched) and the music plays
    // on quietly; unpaused, the device follows the records again.
    void SetPaused(bool on);
    // The volume the device plays a slot at for a volume the game asked for.
    long DeviceVolume(int slot, long volume) const;

    const Request& Requested(int slot) const;
    void ClearRequests();

    // --- taking time back (a rewind plays the stage again without sound) ---
    // The game's record of one slot.
    struct Timing {
        bool playing = false;
        bool looping = false;
        uint32_t startMs = 0;
        long volume = 0;
    };
    using Timings = std::array<Timing, kSlotCount>;
    Timings SaveTimings() const;
    // Puts the records back (even of slots not filled yet); the device is left alone.
    void RestoreTimings(const Timings& timings);
    // While silent, Play and Stop keep the records and leave the device alone.
    void SetSilent(bool on) { silent = on; }
    // The device brought in line with the records: looping sounds the record plays play on, every other
    // sound stops, so no music or loop is left stuck on or off.
    void FollowRecords();

private:
    struct Slot {
        bool loaded = false;
        uint32_t lengthMs = 0;
        bool playing = false;
        bool looping = false;
        uint32_t startMs = 0;
        long volume = 0;
        std::unique_ptr<SoundBuffer> buffer;
    };

    SoundManager() = default;
    // The slot's record brought up to the game's clock: a once-played sound past its length stops.
    bool PlayingNow(const Slot& slot) const;

    AudioDevice device;
    mutable std::mutex mutex;
    std::array<Slot, kSlotCount> slots;
    std::array<Request, kSlotCount> requests{};
    bool silent = false;
    int musicGain = 100;
    int effectsGain = 100;
    bool paused = false;
};
