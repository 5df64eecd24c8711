#include "tools/contentgen/Marker.h"

#include <algorithm>
#include <cmath>

#include "tools/contentgen/Canvas.h"

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

struct Point {
    float x, y;
};

float SegmentDistance(Point p, Point a, Point b, float* along = nullptr) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float h = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    if (along) *along = h;
    return std::hypot(p.x - a.x - h * dx, p.y - a.y - h * dy);
}

// Signed distance to the badge: a circle with a tapering tail below it.
float Badge(Point p) {
    const float circle = std::hypot(p.x - 128, p.y - 120) - 100;
    float h = 0;
    const float d = SegmentDistance(p, {128, 200}, {128, 247}, &h);
    const float tail = d - (26 + (3 - 26) * h);
    return std::min(circle, tail);
}

// Distance to the question mark's centre line: a hook open at its lower left, a bend into the stem,
// the stem. A stroke is this minus its half width.
float QuestionLine(Point p) {
    constexpr Point kHook{128, 96};
    constexpr float kRadius = 36, kFrom = kPi + 0.15f, kTo = 2 * kPi + 0.7f;
    constexpr int kSteps = 24;
    float d = 1e9f;
    Point last{kHook.x + kRadius * std::cos(kFrom), kHook.y + kRadius * std::sin(kFrom)};
    for (int i = 1; i <= kSteps; ++i) {
        const float a = kFrom + (kTo - kFrom) * i / kSteps;
        const Point next{kHook.x + kRadius * std::cos(a), kHook.y + kRadius * std::sin(a)};
        d = std::min(d, SegmentDistance(p, last, next));
        last = next;
    }
    d = std::min(d, SegmentDistance(p, last, {130, 134}));
    return std::min(d, SegmentDistance(p, {130, 134}, {128, 146}));
}

float Dot(Point p) { return std::hypot(p.x - 128, p.y - 184) - 15; }

Rgba Mix(Rgba a, Rgba b, float t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

}  // namespace

bool WriteQuestionMarker(const std::string& root) {
    constexpr Rgba kInk{0.05f, 0.10f, 0.25f, 1};
    constexpr float kOutline = 10, kStroke = 14, kMarkOutline = 8;
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            // A soft shadow below and to the right lifts the badge off the scene.
            const float shadow = Badge({p.x - 3, p.y - 5});
            canvas.Blend(x, y, Rgba{0, 0.02f, 0.08f, 0.35f}, std::clamp(0.5f - shadow / 6, 0.0f, 1.0f));

            const float badge = Badge(p);
            canvas.Blend(x, y, kInk, Coverage(badge));
            // Ice-blue fill, light at the top and deeper below, with a glossy cap in the upper left.
            const float fill = Coverage(badge + kOutline);
            const float t = std::clamp((p.y - 30) / 190, 0.0f, 1.0f);
            canvas.Blend(x, y, Mix(Rgba{0.74f, 0.94f, 1.0f, 1}, Rgba{0.26f, 0.58f, 0.94f, 1}, t), fill);
            const float gloss = std::hypot((p.x - 95) / 52, (p.y - 62) / 28) - 1;
            canvas.Blend(x, y, Rgba{1, 1, 1, 0.45f}, fill * Coverage(gloss * 28));
            // A rim of light just inside the outline along the bottom, as ice catches light from below.
            const float rim = std::fabs(badge + kOutline + 4) - 2;
            canvas.Blend(x, y, Rgba{0.8f, 0.95f, 1, 0.5f}, Coverage(rim) * std::clamp((p.y - 150) / 60, 0.0f, 1.0f));

            const float mark = std::min(QuestionLine(p) - kStroke, Dot(p));
            canvas.Blend(x, y, kInk, Coverage(mark - kMarkOutline));
            const float shade = std::clamp((p.y - 60) / 130, 0.0f, 1.0f);
            canvas.Blend(x, y, Mix(Rgba{1, 1, 1, 1}, Rgba{0.84f, 0.93f, 1, 1}, shade), Coverage(mark));
        }
    return canvas.WritePng(root + "/data/Texture/hatena.png");
}
