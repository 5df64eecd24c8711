#include "tools/sound/Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

void Put16(std::ofstream& out, uint16_t v) {
    const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void Put32(std::ofstream& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

float Peak(const Wave& wave) {
    float peak = 0.0f;
    for (float s : wave.samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

void NormalizePeak(Wave& wave, float decibels) {
    const float peak = Peak(wave);
    if (peak <= 0.0f) return;
    const float scale = std::pow(10.0f, decibels / 20.0f) / peak;
    for (float& s : wave.samples) s *= scale;
}

bool WriteWave16(const std::string& path, const Wave& wave) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const uint32_t dataBytes = static_cast<uint32_t>(wave.samples.size() * 2);
    const uint16_t blockAlign = static_cast<uint16_t>(wave.channels * 2);
    out.write("RIFF", 4);
    Put32(out, 4 + 8 + 16 + 8 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint16_t>(wave.channels));
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (float s : wave.samples) {
        const float clamped = std::clamp(s, -1.0f, 1.0f);
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0f))));
    }
    return static_cast<bool>(out);
}
