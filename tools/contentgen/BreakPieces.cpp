#include "tools/contentgen/BreakPieces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/contentgen/Canvas.h"

namespace {

constexpr int kSize = 128;
constexpr Rgba kInk{0.12f, 0.07f, 0.05f, 1};
constexpr float kOutline = 2.5f;

struct Point {
    float x, y;
};

using Polygon = std::vector<Point>;

// Signed distance from p to the polygon's outline, negative inside (crossing count for the sign).
float PolygonDistance(Point p, const Polygon& poly) {
    float d = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point a = poly[j], b = poly[i];
        const float dx = b.x - a.x, dy = b.y - a.y;
        const float h = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        d = std::min(d, std::hypot(p.x - a.x - h * dx, p.y - a.y - h * dy));
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) / (b.y - a.y) * dx) inside = !inside;
    }
    return inside ? -d : d;
}

// A shape given along and across a line through `centre` at `angle`, in units of `length`.
Polygon Lay(const Polygon& shape, Point centre, float angle, float length) {
    const float c = std::cos(angle), s = std::sin(angle);
    Polygon out;
    for (const Point& q : shape) out.push_back({centre.x + length * (q.x * c - q.y * s), centre.y + length * (q.x * s + q.y * c)});
    return out;
}

// Where p lies along and across the same line, in the same units.
Point Local(Point p, Point centre, float angle, float length) {
    const float c = std::cos(angle), s = std::sin(angle), dx = p.x - centre.x, dy = p.y - centre.y;
    return {(dx * c + dy * s) / length, (-dx * s + dy * c) / length};
}

float Hash(int a, int b) {
    uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

struct Splinter {
    Point centre;
    float angle, length;
};

}  // namespace

bool WriteWoodSplinters(const std::string& root) {
    // A plank's piece with a torn end at either side, and two thin slivers.
    const Polygon plank = {{-1.0f, 0.02f}, {-0.78f, -0.14f}, {-0.62f, -0.08f}, {-0.5f, -0.22f}, {0.5f, -0.24f},
                           {0.66f, -0.12f}, {0.78f, -0.2f},   {1.0f, -0.04f},  {0.82f, 0.05f}, {0.9f, 0.16f},
                           {0.62f, 0.22f},  {-0.55f, 0.22f},  {-0.7f, 0.12f},  {-0.86f, 0.16f}};
    const Polygon sliver = {{-1.0f, 0}, {-0.4f, -0.12f}, {0.6f, -0.14f}, {1.0f, 0.02f}, {0.5f, 0.12f}, {-0.5f, 0.1f}};
    const Splinter pieces[] = {{{62, 66}, -0.62f, 50}, {{94, 98}, -0.25f, 22}, {{32, 30}, 0.4f, 18}};
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            for (size_t k = 0; k < std::size(pieces); ++k) {
                const Splinter& s = pieces[k];
                const float d = PolygonDistance(p, Lay(k == 0 ? plank : sliver, s.centre, s.angle, s.length));
                if (d > kOutline + 1) continue;
                canvas.Blend(x, y, kInk, Coverage(d - kOutline));
                // Grain: stripes along the piece that waver a little, lighter towards the upper edge.
                const Point q = Local(p, s.centre, s.angle, s.length);
                const float grain = 0.5f + 0.5f * std::sin(q.y * 46 + 2.5f * std::sin(q.x * 5 + k));
                const float light = 1.0f - 0.25f * std::pow(grain, 4.0f) - 0.4f * std::clamp(q.y * 1.5f, 0.0f, 0.35f);
                const float torn = std::clamp(1.0f - (1.0f - std::fabs(q.x)) * 5, 0.0f, 1.0f);  // pale fresh ends
                const Rgba wood{std::min(1.0f, 0.78f * light + 0.15f * torn), std::min(1.0f, 0.52f * light + 0.2f * torn),
                                std::min(1.0f, 0.28f * light + 0.18f * torn), 1};
                canvas.Blend(x, y, wood, Coverage(d));
            }
        }
    return canvas.WritePng(root + "/Data/Texture/BreakAnim.png");
}

bool WriteStoneChunks(const std::string& root) {
    // The chunk: an irregular outline around a ridge point, each face between the ridge and an edge
    // shaded by how it turns to the light at the upper left.
    const Polygon chunk = {{28, 50}, {46, 24}, {78, 18}, {102, 40}, {106, 72}, {84, 100}, {50, 104}, {26, 82}};
    const Point ridge{58, 52};
    const Polygon ice = {{92, 98}, {104, 86}, {118, 96}, {112, 112}, {98, 114}};
    const Polygon pebble = {{14, 100}, {24, 94}, {32, 102}, {26, 114}, {14, 112}};
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            auto piece = [&](const Polygon& poly, Point top, float r, float g, float b, unsigned seed) {
                const float d = PolygonDistance(p, poly);
                if (d > kOutline + 1) return;
                canvas.Blend(x, y, Rgba{0.06f, 0.08f, 0.14f, 1}, Coverage(d - kOutline));
                // Which face: the edge of the outline the point is nearest to, seen from `top`.
                const float a = std::atan2(p.y - top.y, p.x - top.x);
                float best = 1e9f, face = 0;
                for (size_t i = 0; i < poly.size(); ++i) {
                    const Point& v = poly[i];
                    const Point& w = poly[(i + 1) % poly.size()];
                    const float mid = std::atan2((v.y + w.y) / 2 - top.y, (v.x + w.x) / 2 - top.x);
                    const float gap = std::fabs(std::remainder(a - mid, 2 * 3.14159265f));
                    if (gap < best) best = gap, face = mid;
                }
                // Faces turned up-left are lit, down-right in shade; speckles and a paler rim.
                const float lit = 0.72f + 0.28f * std::cos(face + 2.36f);
                const float speck = Hash(x, y + static_cast<int>(seed)) > 0.93f ? 0.12f : 0.0f;
                const float rim = std::clamp(1 + d / 3, 0.0f, 1.0f) * 0.12f;
                canvas.Blend(x, y, Rgba{std::min(1.0f, r * lit - speck + rim), std::min(1.0f, g * lit - speck + rim),
                                        std::min(1.0f, b * lit - speck + rim), 1},
                             Coverage(d));
            };
            piece(chunk, ridge, 0.62f, 0.68f, 0.80f, 0);
            piece(pebble, {22, 102}, 0.55f, 0.60f, 0.72f, 7);
            piece(ice, {104, 96}, 0.70f, 0.95f, 1.0f, 13);
        }
    return canvas.WritePng(root + "/Data/Texture/BreakAnim1.png");
}
