#include "tools/contentgen/LoadingBar.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Canvas.h"

namespace {

constexpr int kWidth = 60, kHeight = 42;
constexpr float kCentreY = 21.0f;
constexpr float kLeftX = 20.0f, kRightX = 40.0f;  // the ends' circle centres: the straight part between

// Signed distance to a horizontal capsule of the given radius between the two centres.
float Capsule(float x, float y, float radius) {
    const float cx = std::clamp(x, kLeftX, kRightX);
    return std::hypot(x - cx, y - kCentreY) - radius;
}

Rgba Mix(Rgba a, Rgba b, float t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// The empty bar: a dark glassy groove with a pale rim and a soft inner shadow along its top.
Canvas EmptyBar() {
    Canvas canvas(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            canvas.Blend(x, y, Rgba{0.70f, 0.82f, 0.92f, 1.0f}, Coverage(Capsule(px, py, 15.0f)));
            const float t = (py - 8.0f) / 26.0f;
            const Rgba groove = Mix(Rgba{0.02f, 0.04f, 0.10f, 0.95f}, Rgba{0.08f, 0.12f, 0.22f, 0.95f}, t);
            canvas.Blend(x, y, groove, Coverage(Capsule(px, py, 13.0f)));
        }
    }
    return canvas;
}

// The filling: ice blue, bright at the top and deep below, with a glossy band and a thin white line.
Canvas FillBar() {
    Canvas canvas(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float inside = Coverage(Capsule(px, py, 12.0f));
            if (inside <= 0.0f) continue;
            const float t = std::clamp((py - 9.0f) / 24.0f, 0.0f, 1.0f);
            Rgba colour = Mix(Rgba{0.55f, 0.92f, 1.0f, 1.0f}, Rgba{0.05f, 0.35f, 0.85f, 1.0f}, t);
            if (py > 11.0f && py < 17.0f) colour = Mix(colour, Rgba{1, 1, 1, 1}, 0.35f);
            if (y == 10) colour = Mix(colour, Rgba{1, 1, 1, 1}, 0.6f);
            canvas.Blend(x, y, colour, inside);
        }
    }
    return canvas;
}

}  // namespace

bool WriteLoadingBar(const std::string& root) {
    const std::string folder = root + "/data/Texture/Load/";
    return FillBar().WritePng(folder + "Load1.png") && EmptyBar().WritePng(folder + "Load2.png");
}
