#include "tools/xmodels/Textures.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/image/PngWriter.h"

namespace xmodels {
namespace {

// Deterministic value noise: the same seed always gives the same image.
float Hash(int x, int y, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Noise(float x, float y, unsigned seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed), c = Hash(ix, iy + 1, seed),
                d = Hash(ix + 1, iy + 1, seed);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

void Put(std::vector<uint8_t>& rgba, int i, float r, float g, float b, float a) {
    auto c = [](float v) { return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255)); };
    rgba[i * 4] = c(r), rgba[i * 4 + 1] = c(g), rgba[i * 4 + 2] = c(b), rgba[i * 4 + 3] = c(a);
}

}  // namespace

bool WriteIceTexture(const std::string& path, int size, unsigned seed) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = static_cast<float>(x) / size * 8, v = static_cast<float>(y) / size * 8;
            const float cloud = 0.5f * Noise(u, v, seed) + 0.3f * Noise(u * 2.3f, v * 2.3f, seed + 1);
            const float streak = std::pow(std::fabs(std::sin(u * 1.7f + v * 0.6f + 3 * Noise(u, v * 0.5f, seed + 2))), 24.0f);
            const float crack = std::fabs(Noise(u * 1.5f, v * 1.5f, seed + 3) - 0.5f) < 0.015f ? 1.0f : 0.0f;
            const float w = 0.35f * cloud + 0.35f * streak + 0.5f * crack;
            Put(rgba, y * size + x, 0.62f + w, 0.84f + w * 0.6f, 0.95f + w * 0.2f, 0.72f + 0.25f * w);
        }
    return platform::WritePng(path, rgba, size, size);
}

bool WriteStoneTexture(const std::string& path, int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    const int tile = size / 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int tx = x / tile, ty = y / tile;
            const bool grout = x % tile < 3 || y % tile < 3;
            const float grain = 0.12f * Noise(x * 0.15f, y * 0.15f, 7) + 0.06f * Noise(x * 0.6f, y * 0.6f, 8);
            const float tint = 0.08f * Hash(tx, ty, 9);
            const float base = grout ? 0.28f : 0.55f + tint + grain;
            Put(rgba, y * size + x, base * 0.92f, base * 0.96f, base * 1.05f, 1.0f);
        }
    return platform::WritePng(path, rgba, size, size);
}

}  // namespace xmodels
