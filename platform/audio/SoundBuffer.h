#pragma once
// One sound in the output device: the whole wave in one OpenAL buffer, played through its own source.
// Volume, looping, play and stop behave as a sound card's secondary buffer does: a buffer that is
// already playing is not restarted by Play.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/WaveFormat.h"

class SoundBuffer {
public:
    // Null when no audio device is open or the format is not one the device plays (8- or 16-bit PCM
    // or 32-bit float, mono or stereo, also in the extensible form). `extra` holds the format's
    // cbSize extra bytes. Only whole sample frames of `data` are used.
    static std::unique_ptr<SoundBuffer> Create(const WAVEFORMATEX& format, const uint8_t* extra, const void* data,
                                               size_t bytes);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    void SetVolume(long volume);  // hundredths of a decibel
    // Starts from the beginning, or, when already playing, only takes the new looping choice.
    void Play(bool loop);
    // Stops and rewinds to the beginning.
    void Stop();
    bool IsPlaying() const;
    // The play position in sample frames, and moving it.
    size_t GetPosition() const;
    void SetPosition(size_t frame);

private:
    SoundBuffer(unsigned buffer, unsigned source) : buffer(buffer), source(source) {}
    unsigned buffer;
    unsigned source;
};
