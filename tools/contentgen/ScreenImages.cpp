#include "tools/contentgen/ScreenImages.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Canvas.h"

namespace {

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

bool WriteToonRamp(const std::string& root) {
    // u = 0 faces away from the light, u = 1 straight at it. Shadow side 0.58, half-light 0.82, lit 1,
    // with narrow soft steps so the bands do not shimmer.
    Canvas ramp(256, 4);
    for (int x = 0; x < ramp.Width(); ++x) {
        const float u = (x + 0.5f) / ramp.Width();
        const float value = 0.58f + 0.24f * SmoothStep(0.47f, 0.51f, u) + 0.18f * SmoothStep(0.68f, 0.72f, u);
        // A touch of cool blue in the shadows, as painted cartoons do.
        const Rgba colour{value, value + (1.0f - value) * 0.05f, std::min(1.0f, value + (1.0f - value) * 0.25f), 1.0f};
        for (int y = 0; y < ramp.Height(); ++y) ramp.Blend(x, y, colour, 1.0f);
    }
    return ramp.WritePng(root + "/data/Texture/Toon.png");
}

bool WriteFadeImages(const std::string& root) {
    Canvas black(16, 16);
    for (int y = 0; y < black.Height(); ++y)
        for (int x = 0; x < black.Width(); ++x) black.Blend(x, y, Rgba{0, 0, 0, 1}, 1.0f);

    // Clear in the middle, darkening to black at the corners.
    Canvas vignette(200, 150);
    for (int y = 0; y < vignette.Height(); ++y)
        for (int x = 0; x < vignette.Width(); ++x) {
            const float dx = (x + 0.5f) / vignette.Width() * 2 - 1, dy = (y + 0.5f) / vignette.Height() * 2 - 1;
            const float r = std::sqrt(dx * dx + dy * dy) / std::sqrt(2.0f);
            vignette.Blend(x, y, Rgba{0, 0, 0, 1}, SmoothStep(0.45f, 1.0f, r));
        }
    return black.WritePng(root + "/data/Texture/Black.png") && vignette.WritePng(root + "/data/Texture/BlackOut.png");
}
