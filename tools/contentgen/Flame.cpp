#include "tools/contentgen/Flame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/contentgen/Canvas.h"

namespace {

constexpr int kSize = 128;

float Hash(int a, int b) {
    uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u + 77u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Noise(float x, float y) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = Hash(ix, iy), b = Hash(ix + 1, iy), c = Hash(ix, iy + 1), d = Hash(ix + 1, iy + 1);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

}  // namespace

bool WriteFlame(const std::string& root) {
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float u = (x + 0.5f) / kSize * 2 - 1, v = (y + 0.5f) / kSize * 2 - 1;
            const float r = std::hypot(u, v), a = std::atan2(v, u);
            // The puff's edge wavers into tongues: its radius swells and shrinks round the circle.
            const float tongues = 0.64f + 0.07f * std::sin(5 * a + 1) + 0.05f * std::sin(9 * a + 2) +
                                  0.12f * (Noise(std::cos(a) * 3 + 4, std::sin(a) * 3 + 4) - 0.5f);
            const float body = std::clamp(1 - r / tongues, 0.0f, 1.0f);
            const float flicker = 0.75f + 0.5f * Noise(u * 5 + 9, v * 5 + 3);
            const float heat = std::clamp(std::pow(body, 0.8f) * flicker + 0.5f * std::exp(-r * r * 18), 0.0f, 1.0f);
            // Nothing at all past 0.92 of the half width, whatever the noise says.
            const float fade = std::clamp((0.92f - r) / 0.12f, 0.0f, 1.0f);
            // Light: red at the rim, orange, yellow, white at the heart.
            const float k = heat * fade;
            const float red = std::min(1.0f, 2.2f * k), green = std::clamp(2.0f * k - 0.45f, 0.0f, 1.0f),
                        blue = std::clamp(3.0f * k - 2.0f, 0.0f, 1.0f);
            const float alpha = std::sqrt(std::max({red, green, blue}));
            if (alpha <= 0.0f) {
                canvas.Set(x, y, Rgba{0, 0, 0, 0});
                continue;
            }
            canvas.Set(x, y, Rgba{red / alpha, green / alpha, blue / alpha, alpha});
        }
    return canvas.WritePng(root + "/data/Texture/Flame.png");
}
