#pragma once
// The wave format record of RIFF "fmt " chunks, as the game reads it from wave files.
#include <cstdint>

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_IEEE_FLOAT = 3;
constexpr uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

// Packed as in the files they are read from.
#pragma pack(push, 1)

// The 16 bytes every "fmt " chunk starts with.
struct PCMWAVEFORMAT {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
};

// The full record: those 16 bytes and the size of the extra format bytes that follow it.
struct WAVEFORMATEX : PCMWAVEFORMAT {
    uint16_t cbSize;
};

#pragma pack(pop)

static_assert(sizeof(PCMWAVEFORMAT) == 16 && sizeof(WAVEFORMATEX) == 18);
