#pragma once
// Hand-made RIFF/WAVE files for the sound tests, chunk by chunk, and reading recorded ones back.
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "sound/WaveFile.h"

class WaveBytes {
public:
    WaveBytes& Chunk(const std::string& id, const std::vector<uint8_t>& body, uint32_t claimedSize = 0xFFFFFFFF) {
        Text(chunks, id);
        U32(chunks, claimedSize == 0xFFFFFFFF ? static_cast<uint32_t>(body.size()) : claimedSize);
        chunks.insert(chunks.end(), body.begin(), body.end());
        if (body.size() % 2) chunks.push_back(0);
        return *this;
    }
    // "RIFF" size "WAVE" and the chunks; the RIFF size is the true one unless given.
    std::vector<uint8_t> Bytes(uint32_t riffSize = 0xFFFFFFFF) const {
        std::vector<uint8_t> out;
        Text(out, "RIFF");
        U32(out, riffSize == 0xFFFFFFFF ? static_cast<uint32_t>(4 + chunks.size()) : riffSize);
        Text(out, "WAVE");
        out.insert(out.end(), chunks.begin(), chunks.end());
        return out;
    }

    // The body of a "fmt " chunk: the 16 common bytes, then, when extra is not empty or cbSize is
    // given, the extra size and the extra bytes.
    static std::vector<uint8_t> Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                                       const std::vector<uint8_t>& extra = {}, bool withExtraSize = false) {
        std::vector<uint8_t> body;
        const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
        U16(body, tag);
        U16(body, channels);
        U32(body, rate);
        U32(body, rate * align);
        U16(body, align);
        U16(body, bits);
        if (withExtraSize || !extra.empty()) {
            U16(body, static_cast<uint16_t>(extra.size()));
            body.insert(body.end(), extra.begin(), extra.end());
        }
        return body;
    }
    static std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples) {
        std::vector<uint8_t> body;
        for (int16_t s : samples) U16(body, static_cast<uint16_t>(s));
        return body;
    }
    static void U16(std::vector<uint8_t>& out, uint16_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
    static void U32(std::vector<uint8_t>& out, uint32_t v) {
        U16(out, static_cast<uint16_t>(v));
        U16(out, static_cast<uint16_t>(v >> 16));
    }
    static void Text(std::vector<uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

private:
    std::vector<uint8_t> chunks;
};

// A temporary file of this process; removed when the object goes.
class TempWave {
public:
    TempWave(const std::string& name, const std::vector<uint8_t>& bytes)
        : path("/tmp/veldorin_wave_" + std::to_string(::getpid()) + "_" + name + ".wav") {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    ~TempWave() { std::remove(path.c_str()); }
    const std::string path;
};

// A 16-bit PCM wave file of `frames` sample frames of a quiet sine, mono, 44100 Hz.
inline std::vector<uint8_t> SineWave(size_t frames) {
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) samples[i] = static_cast<int16_t>((i % 100) * 100 - 5000);
    return WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 1, 44100, 16)).Chunk("data", WaveBytes::Samples16(samples)).Bytes();
}

// One channel of a 16-bit wave file (PCM or the extensible form) as floats in -1 .. 1; empty when
// the file does not read.
inline std::vector<float> ReadChannel(const std::string& path, int channel, int* channels = nullptr, int* rate = nullptr) {
    WaveFile wave;
    std::vector<float> out;
    if (!wave.Open(path) || wave.GetFormat()->wBitsPerSample != 16) return out;
    const int count = wave.GetFormat()->nChannels;
    if (channels) *channels = count;
    if (rate) *rate = static_cast<int>(wave.GetFormat()->nSamplesPerSec);
    std::vector<int16_t> samples(wave.GetSize() / 2);
    wave.Read(samples.data(), static_cast<uint32_t>(samples.size() * 2));
    for (size_t i = static_cast<size_t>(channel); i < samples.size(); i += static_cast<size_t>(count)) {
        out.push_back(samples[i] / 32768.0f);
    }
    return out;
}
