#include "tools/contentgen/IceEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/contentgen/Canvas.h"

namespace {

constexpr float kPi = 3.14159265f;

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Deterministic numbers in [0, 1]: the same inputs always give the same picture.
float Hash(int a, int b, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Noise(float x, float y, unsigned seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed), c = Hash(ix, iy + 1, seed),
                d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Two octaves of value noise, about 0 to 1.
float Cloudy(float x, float y, unsigned seed) { return 0.65f * Noise(x, y, seed) + 0.35f * Noise(2.1f * x, 2.1f * y, seed + 7); }

struct Light {
    float r = 0, g = 0, b = 0;
    void Add(float k, float cr, float cg, float cb) { r += k * cr, g += k * cg, b += k * cb; }
};

// A field of added light over a square picture; coordinates run -1 to 1 from the centre.
class LightField {
public:
    explicit LightField(int size) : size(size), light(static_cast<size_t>(size) * size) {}
    int Size() const { return size; }
    float U(int x) const { return (x + 0.5f) / size * 2 - 1; }
    Light& At(int x, int y) { return light[static_cast<size_t>(y) * size + x]; }

    // A round soft dot (Gaussian) of the given radius (in -1..1 units) and brightness.
    void Dot(float cx, float cy, float radius, float k, float cr, float cg, float cb) {
        Around(cx, cy, radius * 3, [&](float dx, float dy) {
            return k * std::exp(-(dx * dx + dy * dy) / (radius * radius));
        }, cr, cg, cb);
    }
    // A four-pointed glint: two thin crossed rays turned by `angle`, with a bright core.
    void Glint(float cx, float cy, float length, float angle, float k) {
        const float c = std::cos(angle), s = std::sin(angle), width = 2.5f / size;
        Around(cx, cy, length, [&](float dx, float dy) {
            const float u = std::fabs(dx * c + dy * s) / length, v = std::fabs(-dx * s + dy * c) / length;
            const float ray = std::exp(-v * v * length * length / (width * width)) * std::max(0.0f, 1 - u) +
                              std::exp(-u * u * length * length / (width * width)) * std::max(0.0f, 1 - v);
            const float core = std::exp(-(u * u + v * v) * 40.0f);
            return k * (0.8f * ray * ray + core);
        }, 0.85f, 0.97f, 1.0f);
    }

    // Writes the light to the canvas faded out towards the rim (nothing beyond radius `rim`), as
    // premultiplied colour: colour x alpha equals the light.
    void WriteTo(Canvas& canvas, float rim) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const float fade = 1 - SmoothStep(rim * 0.8f, rim, std::hypot(U(x), U(y)));
                const Light& l = At(x, y);
                const float r = std::min(1.0f, l.r * fade), g = std::min(1.0f, l.g * fade), b = std::min(1.0f, l.b * fade);
                const float alpha = std::sqrt(std::max({r, g, b}));
                if (alpha <= 0.0f) {
                    canvas.Set(x, y, Rgba{0, 0, 0, 0});
                    continue;
                }
                canvas.Set(x, y, Rgba{r / alpha, g / alpha, b / alpha, alpha});
            }
    }

private:
    template <class Shape>
    void Around(float cx, float cy, float reach, Shape shape, float cr, float cg, float cb) {
        const int x0 = std::max(0, static_cast<int>((cx - reach + 1) * size / 2) - 1);
        const int x1 = std::min(size - 1, static_cast<int>((cx + reach + 1) * size / 2) + 1);
        const int y0 = std::max(0, static_cast<int>((cy - reach + 1) * size / 2) - 1);
        const int y1 = std::min(size - 1, static_cast<int>((cy + reach + 1) * size / 2) + 1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) At(x, y).Add(shape(U(x) - cx, U(y) - cy), cr, cg, cb);
    }

    int size;
    std::vector<Light> light;
};

// Frame t (0 to 1) of the slide's spray: a frosty puff that swells and thins, flecks of ice thrown
// outward, and a few crystals that glint on and off from frame to frame.
Canvas SlipFrame(int frame) {
    constexpr int kSize = 128;
    const float t = frame / 7.0f;
    LightField field(kSize);

    // The frosty puff: strongest at the start, grainy with noise so it reads as powder, not fog.
    const float puffRadius = 0.30f + 0.38f * t, puffBright = 0.55f * (1 - 0.7f * t);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float u = field.U(x), v = field.U(y), r = std::hypot(u, v) / puffRadius;
            const float grain = 0.45f + 0.9f * Cloudy(u * 5 + frame * 0.7f, v * 5, 11);
            field.At(x, y).Add(puffBright * std::exp(-r * r * 1.6f) * grain, 0.55f, 0.85f, 1.0f);
        }

    // Flecks of ice flung outward: each keeps its direction and speed, and fades as it flies.
    for (int k = 0; k < 46; ++k) {
        const float angle = 2 * kPi * Hash(k, 0, 21), speed = 0.25f + 0.5f * Hash(k, 1, 21);
        const float start = 0.08f + 0.2f * Hash(k, 2, 21);
        const float d = start + speed * (0.15f + 0.85f * t);
        const float twinkle = 0.6f + 0.4f * Hash(k, frame, 22);
        const float bright = (0.35f + 0.5f * Hash(k, 3, 21)) * std::pow(1 - 0.85f * t, 1.3f) * twinkle;
        const float radius = (0.012f + 0.018f * Hash(k, 4, 21)) * (1 - 0.3f * t);
        field.Dot(d * std::cos(angle), d * std::sin(angle), radius, bright, 0.8f, 0.95f, 1.0f);
    }

    // Crystals that glint: each shines over its own stretch of the eight frames.
    for (int k = 0; k < 9; ++k) {
        const float on = Hash(k, 0, 31) * 0.75f, span = 0.3f + 0.3f * Hash(k, 1, 31);
        const float phase = (t - on) / span;
        if (phase <= 0 || phase >= 1) continue;
        const float angle = 2 * kPi * Hash(k, 2, 31), d = 0.1f + (0.3f + 0.3f * Hash(k, 3, 31)) * (0.4f + 0.6f * t);
        const float length = (0.09f + 0.1f * Hash(k, 4, 31)) * std::sin(kPi * phase);
        field.Glint(d * std::cos(angle), d * std::sin(angle), std::max(length, 0.02f), kPi / 4 * (k % 2),
                    std::sin(kPi * phase) * (1 - 0.4f * t));
    }

    Canvas canvas(kSize, kSize);
    field.WriteTo(canvas, 0.97f);
    return canvas;
}

}  // namespace

bool WriteSlipEffect(const std::string& root) {
    for (int frame = 0; frame < 8; ++frame)
        if (!SlipFrame(frame).WritePng(root + "/data/Texture/slip/slipeffect" + std::to_string(frame) + ".png"))
            return false;
    return true;
}

bool WriteCloud(const std::string& root) {
    constexpr int kSize = 128;
    // A big central puff and smaller lobes around it, so the outline billows rather than being a disc.
    struct Lobe {
        float x, y, radius, bright;
    };
    const Lobe lobes[] = {{0, 0.02f, 0.42f, 0.85f},     {-0.28f, 0.12f, 0.25f, 0.45f}, {0.27f, 0.10f, 0.26f, 0.45f},
                          {-0.08f, -0.24f, 0.26f, 0.5f}, {0.20f, -0.18f, 0.2f, 0.35f},  {0.05f, 0.3f, 0.22f, 0.35f}};
    LightField field(kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float u = field.U(x), v = field.U(y);
            float k = 0;
            for (const Lobe& lobe : lobes) {
                const float dx = u - lobe.x, dy = v - lobe.y;
                k += lobe.bright * std::exp(-(dx * dx + dy * dy) / (lobe.radius * lobe.radius));
            }
            k *= 0.7f + 0.45f * Cloudy(u * 3.5f + 2, v * 3.5f, 41);
            field.At(x, y).Add(std::min(k, 1.0f), 0.88f, 0.95f, 1.0f);
        }
    // WriteBmp lays the premultiplied light over black, as the format has no alpha.
    Canvas cloud(kSize, kSize);
    field.WriteTo(cloud, 0.92f);
    return cloud.WriteBmp(root + "/data/Texture/cloud.bmp");
}
