#include "platform/audio/SoundBuffer.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstring>

#include "platform/audio/Volume.h"

namespace {

// The OpenAL format of a wave format, or 0 when the device cannot take it.
ALenum AlFormat(const WAVEFORMATEX& format, const uint8_t* extra) {
    uint16_t tag = format.wFormatTag;
    // The extensible form names its real format in the first two bytes of the sub-format GUID, after
    // the valid-bits count and the channel mask.
    if (tag == WAVE_FORMAT_EXTENSIBLE) {
        if (format.cbSize < 22 || !extra) return 0;
        std::memcpy(&tag, extra + 6, sizeof tag);
    }
    const bool mono = format.nChannels == 1, stereo = format.nChannels == 2;
    if (!mono && !stereo) return 0;
    if (format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8) return 0;
    if (tag == WAVE_FORMAT_PCM) {
        if (format.wBitsPerSample == 8) return mono ? AL_FORMAT_MONO8 : AL_FORMAT_STEREO8;
        if (format.wBitsPerSample == 16) return mono ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    }
    if (tag == WAVE_FORMAT_IEEE_FLOAT && format.wBitsPerSample == 32 && alIsExtensionPresent("AL_EXT_FLOAT32")) {
        return alGetEnumValue(mono ? "AL_FORMAT_MONO_FLOAT32" : "AL_FORMAT_STEREO_FLOAT32");
    }
    return 0;
}

}  // namespace

std::unique_ptr<SoundBuffer> SoundBuffer::Create(const WAVEFORMATEX& format, const uint8_t* extra, const void* data,
                                                 size_t bytes) {
    if (!alcGetCurrentContext()) return nullptr;
    const ALenum alFormat = AlFormat(format, extra);
    if (!alFormat || format.nSamplesPerSec == 0) return nullptr;
    const size_t whole = bytes - bytes % format.nBlockAlign;
    if (whole == 0) return nullptr;

    alGetError();
    ALuint buffer = 0, source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, alFormat, data, static_cast<ALsizei>(whole), static_cast<ALsizei>(format.nSamplesPerSec));
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &source);
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    // Every sound plays at the listener, unpanned and without distance fall-off.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    return std::unique_ptr<SoundBuffer>(new SoundBuffer(buffer, source));
}

SoundBuffer::~SoundBuffer() {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
}

void SoundBuffer::SetVolume(long volume) { alSourcef(source, AL_GAIN, GainFromVolume(volume)); }

void SoundBuffer::Play(bool loop) {
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    if (!IsPlaying()) alSourcePlay(source);
}

void SoundBuffer::Stop() { alSourceStop(source); }

bool SoundBuffer::IsPlaying() const {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

size_t SoundBuffer::GetPosition() const {
    ALint offset = 0;
    alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    return static_cast<size_t>(offset);
}

void SoundBuffer::SetPosition(size_t frame) { alSourcei(source, AL_SAMPLE_OFFSET, static_cast<ALint>(frame)); }
