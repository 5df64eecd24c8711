#pragma once
// The sound output: the default OpenAL device with one context, made current for the whole process.
// When no device opens (a machine without sound, a test run) nothing is reported and every sound
// buffer stays silent.
class AudioDevice {
public:
    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default device; false when there is none. Opening an open device keeps it.
    bool Open();
    // Closes the context and the device. Every buffer made on it must be gone by then.
    void Close();
    bool IsOpen() const { return context != nullptr; }

private:
    void* device = nullptr;   // ALCdevice
    void* context = nullptr;  // ALCcontext
};
