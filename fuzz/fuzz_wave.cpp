// Wave files: opened, the format and its extra bytes looked at, and every sample read in pieces. What
// is read never exceeds the data chunk's size.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "sound/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::ScratchDir() + "/sound.wav";
    fuzz::WriteBytes(path, data, size);
    WaveFile wave;
    if (!wave.Open(path)) return 0;
    const WAVEFORMATEX* format = wave.GetFormat();
    const uint8_t* extra = wave.GetExtraFormat();
    volatile uint32_t sum = 0;
    for (uint16_t i = 0; i < format->cbSize; ++i) sum = sum + extra[i];
    std::vector<uint8_t> piece(4096);
    uint64_t read = 0;
    for (uint32_t got; (got = wave.Read(piece.data(), static_cast<uint32_t>(piece.size()))) != 0;) read += got;
    if (read > wave.GetSize()) __builtin_trap();
    return 0;
}
