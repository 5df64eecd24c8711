#include "tools/xmodels/Textures.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/image/PngWriter.h"
#include "platform/math/D3DXMath.h"

namespace xmodels {
namespace {

// Deterministic value noise: the same seed always gives the same image.
float Hash(int x, int y, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// With a period the pattern repeats every `period` units of x, so that an image wrapped round a
// dome meets itself without a seam.
float Noise(float x, float y, unsigned seed, int period = 0) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    auto wrap = [period](int i) { return period > 0 ? ((i % period) + period) % period : i; };
    const int x0 = wrap(ix), x1 = wrap(ix + 1);
    const float a = Hash(x0, iy, seed), b = Hash(x1, iy, seed), c = Hash(x0, iy + 1, seed),
                d = Hash(x1, iy + 1, seed);
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

bool WriteWoodTexture(const std::string& path, int size, unsigned seed) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
            // Rings: stripes across v bent by slow noise along u, so they wander like real grain.
            const float bend = 1.6f * Noise(u * 3, v * 2, seed) + 0.4f * Noise(u * 11, v * 6, seed + 1);
            const float ring = 0.5f + 0.5f * std::sin((v * 9 + bend) * 2 * D3DX_PI);
            const float fibre = Noise(u * 40, v * 160, seed + 2);
            float shade = 1.0f - 0.16f * std::pow(ring, 3.0f) - 0.08f * fibre;
            // Two knots: dark ovals with rings drawn round them.
            for (int k = 0; k < 2; ++k) {
                const float kx = Hash(k, 0, seed), ky = Hash(k, 1, seed);
                const float d = std::hypot((u - kx) * 4, (v - ky) * 9);
                if (d < 1.2f) shade -= 0.22f * std::exp(-d * d * 6) + 0.06f * (0.5f + 0.5f * std::cos(d * 18));
            }
            Put(rgba, y * size + x, shade, shade * 0.94f, shade * 0.86f, 1.0f);
        }
    return platform::WritePng(path, rgba, size, size);
}

bool WriteRockTexture(const std::string& path, int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = static_cast<float>(x) / size * 6, v = static_cast<float>(y) / size * 6;
            const float mottle = 0.6f * Noise(u, v, 21) + 0.4f * Noise(u * 2.7f, v * 2.7f, 22);
            const float pit = Hash(x, y, 23) > 0.985f ? 0.25f : 0.0f;
            const float crack = std::fabs(Noise(u * 0.9f, v * 0.9f, 24) - 0.5f) < 0.012f ? 0.3f : 0.0f;
            const float shade = 0.82f + 0.18f * mottle - pit - crack;
            Put(rgba, y * size + x, shade, shade, shade * 1.02f, 1.0f);
        }
    return platform::WritePng(path, rgba, size, size);
}

bool WriteSwirlTexture(const std::string& path, int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / size * 2 - 1, v = (y + 0.5f) / size * 2 - 1;
            const float r = std::hypot(u, v), a = std::atan2(v, u);
            // Three arms winding inward; noise breaks them into wisps.
            const float arm = 0.5f + 0.5f * std::cos(3 * a + 9 * r + 2 * Noise(u * 4 + 5, v * 4, 31));
            const float core = std::exp(-r * r * 14);
            const float k = std::fmin(1.0f, core + 0.75f * std::pow(arm, 2.0f) * (1 - 0.5f * r) + 0.1f);
            // Deep blue at the rim, cyan in the arms, white at the heart.
            const float cool = std::fmin(1.0f, r * 1.2f);
            Put(rgba, y * size + x, 0.15f + 0.85f * k * (1 - 0.6f * cool) + core, 0.35f + 0.65f * k + core,
                0.75f + 0.25f * k, 1.0f);
        }
    return platform::WritePng(path, rgba, size, size);
}

bool WriteSkyTexture(const std::string& path, int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    const D3DXVECTOR3 zenith(0.47f, 0.71f, 0.95f), horizon(0.86f, 0.95f, 0.99f), below(0.78f, 0.90f, 0.97f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float v = (y + 0.5f) / height, u = (x + 0.5f) / width;
            // Clear blue overhead easing into a pale, almost white band at the horizon.
            const float up = std::fmax(0.0f, (kSkyHorizonV - v) / kSkyHorizonV);
            D3DXVECTOR3 sky = v < kSkyHorizonV ? horizon + (zenith - horizon) * std::pow(up, 0.6f)
                                               : horizon + (below - horizon) * ((v - kSkyHorizonV) / (1 - kSkyHorizonV));
            // Soft clouds in a band low over the horizon, thinning out toward the top.
            const float puff = 0.6f * Noise(u * 10, v * 9, 41, 10) + 0.4f * Noise(u * 23, v * 20, 42, 23);
            const float band = std::exp(-std::pow((up - 0.22f) / 0.16f, 2.0f));
            const float cloud = band * std::fmin(1.0f, std::fmax(0.0f, (puff - 0.52f) / 0.2f));
            sky += (D3DXVECTOR3(0.98f, 0.99f, 1.0f) - sky) * (0.8f * cloud);
            Put(rgba, y * width + x, sky.x, sky.y, sky.z, 1.0f);
        }
    return platform::WritePng(path, rgba, width, height);
}

}  // namespace xmodels
