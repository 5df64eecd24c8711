#pragma once
// Sample buffers of the sound generator and their 16-bit PCM wave files.
#include <string>
#include <vector>

constexpr int kSampleRate = 44100;

// Interleaved float samples, nominally in -1 .. 1.
struct Wave {
    int channels = 1;
    std::vector<float> samples;

    size_t Frames() const { return samples.size() / static_cast<size_t>(channels); }
};

// Peak absolute sample value.
float Peak(const Wave& wave);
// Scales the wave so that its peak is at `decibels` below full scale.
void NormalizePeak(Wave& wave, float decibels);
// Writes RIFF/WAVE with a 16-byte "fmt " (PCM, 16 bits) and a "data" chunk, creating folders as needed.
bool WriteWave16(const std::string& path, const Wave& wave);
