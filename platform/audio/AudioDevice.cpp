#include "platform/audio/AudioDevice.h"

#include <AL/alc.h>

#include <dlfcn.h>

#include <cstdlib>

namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// OpenAL Soft logs a missing sound server, and ALSA prints its own errors when there is no sound
// card; a game without sound says nothing. ALSA is reached through the same library OpenAL Soft
// loads, so its error handler can be set before the device is opened.
void QuietenSoundLibraries() {
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (!alsa) return;
    if (auto setHandler = reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        setHandler(IgnoreAlsaError);
    }
    // The library stays loaded: OpenAL Soft keeps using it.
}

}  // namespace

AudioDevice::~AudioDevice() { Close(); }

bool AudioDevice::Open() {
    if (context) return true;
    QuietenSoundLibraries();
    ALCdevice* opened = alcOpenDevice(nullptr);
    if (!opened) return false;
    ALCcontext* made = alcCreateContext(opened, nullptr);
    if (!made || !alcMakeContextCurrent(made)) {
        if (made) alcDestroyContext(made);
        alcCloseDevice(opened);
        return false;
    }
    device = opened;
    context = made;
    return true;
}

void AudioDevice::Close() {
    if (!context) return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(static_cast<ALCcontext*>(context));
    alcCloseDevice(static_cast<ALCdevice*>(device));
    context = nullptr;
    device = nullptr;
}
