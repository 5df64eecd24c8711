#include "tools/contentgen/TitleImages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/Lettering.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kScreenW = 800, kScreenH = 600;

const Rgba kNavy{0.03f, 0.08f, 0.20f, 1.0f};
const Rgba kWhite{1.0f, 1.0f, 1.0f, 1.0f};

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Rgba Mix(Rgba a, Rgba b, float t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(Rgba c, float a) { return Rgba{c.r, c.g, c.b, a}; }

// Deterministic numbers in [0, 1]: the same inputs always give the same picture.
float Hash(int a, int b, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Signed distance to a six-armed snowflake of radius r centred at the origin: each arm carries two
// pairs of side branches, and the strokes are r / 11 thick.
float SnowflakeDistance(float px, float py, float r) {
    // Fold the point into the sector of the arm along +x, mirrored about that arm.
    const float sector = kPi / 3.0f;
    const float angle = std::atan2(py, px);
    const float turned = angle - sector * std::round(angle / sector);
    const float length = std::hypot(px, py);
    const float x = length * std::cos(turned), y = std::fabs(length * std::sin(turned));
    const float c = std::cos(sector), s = std::sin(sector);
    float d = SegmentDistance(x, y, 0, 0, r, 0);
    d = std::min(d, SegmentDistance(x, y, 0.45f * r, 0, 0.45f * r + 0.30f * r * c, 0.30f * r * s));
    d = std::min(d, SegmentDistance(x, y, 0.72f * r, 0, 0.72f * r + 0.18f * r * c, 0.18f * r * s));
    return d - std::max(0.9f, r / 11.0f);
}

// A snowflake in white with a thin navy rim, so it reads on both the bright world and the dark band.
void DrawSnowflake(Canvas& canvas, float cx, float cy, float r, float opacity) {
    const int x0 = static_cast<int>(cx - r - 4), x1 = static_cast<int>(cx + r + 4);
    const int y0 = static_cast<int>(cy - r - 4), y1 = static_cast<int>(cy + r + 4);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = SnowflakeDistance(x + 0.5f - cx, y + 0.5f - cy, r);
            canvas.Blend(x, y, WithAlpha(kNavy, 0.85f * opacity), Coverage(d - 1.4f));
            canvas.Blend(x, y, WithAlpha(Rgba{0.92f, 0.98f, 1.0f, 1}, opacity), Coverage(d));
        }
}

// A four-pointed sparkle: a bright core with two thin crossed rays, laid over in white.
void DrawGlint(Canvas& canvas, float cx, float cy, float length, float opacity) {
    const int reach = static_cast<int>(length) + 2;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const float dx = std::fabs(x + 0.5f - cx), dy = std::fabs(y + 0.5f - cy);
            const float core = 1.6f * std::exp(-(dx * dx + dy * dy) / (0.012f * length * length));
            auto ray = [&](float along, float across) {
                const float taper = std::max(0.0f, 1.0f - along / length);
                return taper * taper * std::clamp(1.3f - across / (0.5f + 1.2f * taper), 0.0f, 1.0f);
            };
            const float k = std::clamp(core + ray(dx, dy) + ray(dy, dx), 0.0f, 1.0f);
            canvas.Blend(x, y, kWhite, k * opacity);
        }
}

// Ice colour of the big letters from the top of the capitals (t = 0) to the baseline (t = 1); the
// icicles below the baseline turn pale again.
Rgba IceGradient(float t) {
    const Rgba top{0.93f, 0.99f, 1.0f, 1}, middle{0.55f, 0.86f, 1.0f, 1}, bottom{0.14f, 0.45f, 0.90f, 1};
    const Rgba tip{0.66f, 0.90f, 1.0f, 1};
    if (t < 0.45f) return Mix(top, middle, std::max(t, 0.0f) / 0.45f);
    if (t < 1.0f) return Mix(middle, bottom, (t - 0.45f) / 0.55f);
    return Mix(bottom, tip, std::min((t - 1.0f) / 0.35f, 1.0f));
}

// Brightness offset of crystal facets: a Voronoi pattern of 34-pixel cells, each a little lighter or
// darker, with faint bright seams where cells meet.
float FacetShade(float x, float y) {
    constexpr float kCell = 34.0f;
    const int cx = static_cast<int>(std::floor(x / kCell)), cy = static_cast<int>(std::floor(y / kCell));
    float nearest = 1e9f, second = 1e9f;
    int bestX = 0, bestY = 0;
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            const float sx = (i + 0.15f + 0.7f * Hash(i, j, 11)) * kCell, sy = (j + 0.15f + 0.7f * Hash(i, j, 12)) * kCell;
            const float d = std::hypot(x - sx, y - sy);
            if (d < nearest) {
                second = nearest, nearest = d, bestX = i, bestY = j;
            } else if (d < second) {
                second = d;
            }
        }
    const float seam = 1.0f - SmoothStep(0.0f, 2.0f, second - nearest);
    return (Hash(bestX, bestY, 13) - 0.5f) * 0.14f + 0.12f * seam;
}

// Lighter (positive) or darker by `amount`: towards white or towards deep blue.
Rgba Shade(Rgba c, float amount) {
    return amount >= 0 ? Mix(c, kWhite, std::min(amount, 1.0f)) : Mix(c, Rgba{0.06f, 0.22f, 0.55f, 1}, std::min(-amount, 1.0f));
}

// How strongly an edge with outward normal (nx, ny) faces the light from the upper left (-1 to 1).
float FacingLight(float nx, float ny) { return nx * -0.55f + ny * -0.835f; }

// Signed distance to an icicle hanging from (cx, top): half width hw at the top, tapering to a point
// `length` below.
float IcicleDistance(float px, float py, float cx, float top, float hw, float length) {
    const float qx = std::fabs(px - cx), qy = py - top;
    const float side = (qx * length + qy * hw - hw * length) / std::hypot(length, hw);
    return std::max(side, -qy);
}

// Where a line of text should start so that its ink is centred on centreX.
float CentredPen(const Font& font, const std::string& text, float size, float tracking, float centreX,
                 float stretchX, float stretchY) {
    DistanceField none(0, 0);
    const std::vector<GlyphBox> boxes = font.Stamp(none, text, size, 0, 0, tracking, 0, stretchX, stretchY);
    float left = 1e9f, right = -1e9f;
    for (const GlyphBox& box : boxes) left = std::min(left, box.x0), right = std::max(right, box.x1);
    return centreX - 0.5f * (left + right);
}

// Hangs icicles under the flat bottoms of the letters: finds where the ink ends at the baseline and
// joins tapered spikes of varied length there, rounding the joints.
void HangIcicles(DistanceField& field, float baseline, float left, float right) {
    const int above = static_cast<int>(baseline) - 4, below = static_cast<int>(baseline) + 5;
    std::vector<std::pair<int, int>> spans;
    int start = -1;
    for (int x = static_cast<int>(left); x <= static_cast<int>(right) + 1; ++x) {
        const bool edge = field.At(x, above) < -2.0f && field.At(x, below) > 0.5f;
        if (edge && start < 0) start = x;
        if (!edge && start >= 0) {
            if (x - start >= 12) spans.emplace_back(start, x);
            start = -1;
        }
    }
    int index = 0;
    for (const auto& [from, to] : spans) {
        const float width = static_cast<float>(to - from);
        const int count = std::max(1, static_cast<int>(std::lround(width / 22.0f)));
        for (int i = 0; i < count; ++i, ++index) {
            // On wide bottoms some places stay bare, so the row does not look combed.
            if (count > 1 && Hash(index, 4, 21) < 0.3f) continue;
            const float cx = from + (i + 0.5f) * width / count + (Hash(index, 1, 21) - 0.5f) * 5.0f;
            const float hw = std::min(3.5f + 3.5f * Hash(index, 2, 21), width * 0.4f);
            const float length = 10.0f + 30.0f * Hash(index, 3, 21);
            const float top = baseline - 3.0f;
            for (int y = static_cast<int>(top) - 6; y <= static_cast<int>(top + length) + 14; ++y)
                for (int x = static_cast<int>(cx - hw) - 14; x <= static_cast<int>(cx + hw) + 14; ++x)
                    field.Join(x, y, IcicleDistance(x + 0.5f, y + 0.5f, cx, top, hw, length), 3.0f);
        }
    }
}

bool WriteTitleLogo(const std::string& root, const Font& font) {
    Canvas canvas(kScreenW, kScreenH);

    // The name: tall bold capitals (stretched upright), their ink centred and 690 pixels wide.
    const std::string name = "VELDORIN";
    constexpr float kStretchY = 1.35f, kTracking = 8.0f, kCapTop = 100.0f, kOutline = 6.5f, kRim = 9.0f;
    const float perPixel = font.TextWidth(name, 100.0f, 0.0f) / 100.0f;
    const float size = (690.0f - kTracking * (name.size() - 1)) / perPixel;
    const float capHeight = font.CapHeight(size, kStretchY);
    const float baseline = kCapTop + capHeight;
    DistanceField letters(kScreenW, kScreenH);
    const float pen = CentredPen(font, name, size, kTracking, kScreenW / 2.0f, 1.0f, kStretchY);
    const std::vector<GlyphBox> boxes = font.Stamp(letters, name, size, pen, baseline, kTracking, 30.0f, 1.0f, kStretchY);
    HangIcicles(letters, baseline, boxes.front().x0, boxes.back().x1);

    // The prompt: smaller white letters centred on y 470.
    const std::string prompt = "Click to start";
    constexpr float kPromptSize = 36.0f, kPromptOutline = 4.0f;
    const float promptCap = font.CapHeight(kPromptSize);
    const float promptBaseline = 470.0f + promptCap / 2.0f;
    DistanceField words(kScreenW, kScreenH);
    const float promptPen = CentredPen(font, prompt, kPromptSize, 1.0f, kScreenW / 2.0f, 1.0f, 1.0f);
    const std::vector<GlyphBox> promptBoxes =
        font.Stamp(words, prompt, kPromptSize, promptPen, promptBaseline, 1.0f, 14.0f);

    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            // Soft drop shadows down and to the right, under everything.
            const float shadow = letters.Sample(px - 4.0f, py - 6.0f) - kRim;
            canvas.Blend(x, y, WithAlpha(kNavy, 0.45f), 1.0f - SmoothStep(-2.0f, 6.0f, shadow));
            const float promptShadow = words.Sample(px - 2.0f, py - 3.0f) - kPromptOutline;
            canvas.Blend(x, y, WithAlpha(kNavy, 0.45f), 1.0f - SmoothStep(-1.0f, 3.0f, promptShadow));

            // The name: a thin frosty rim outside a dark navy outline, then the ice.
            const float d = letters.At(x, y);
            if (d < kRim + 1.0f) {
                canvas.Blend(x, y, Rgba{0.90f, 0.97f, 1.0f, 0.95f}, Coverage(d - kRim));
                canvas.Blend(x, y, kNavy, Coverage(d - kOutline));
                if (d < 1.0f) {
                    Rgba ice = IceGradient((py - kCapTop) / capHeight);
                    // A glossy band over the upper half with a gently wavy lower edge.
                    const float horizon = kCapTop + 0.44f * capHeight + 3.0f * std::sin(px * 0.045f);
                    ice = Mix(ice, kWhite, 0.30f * (1.0f - SmoothStep(horizon - 1.0f, horizon + 1.0f, py)));
                    ice = Shade(ice, FacetShade(px, py));
                    // A bevel along the edges: bright where the edge faces the light, deep blue where not.
                    float nx, ny;
                    letters.Normal(x, y, nx, ny);
                    const float bevel = 1.0f - SmoothStep(3.5f, 6.5f, -d);
                    const float facing = FacingLight(nx, ny);
                    ice = Shade(ice, bevel * (facing > 0 ? 0.85f * facing : 0.5f * facing));
                    canvas.Blend(x, y, ice, Coverage(d));
                }
            }

            // The prompt: white to pale ice with a navy outline.
            const float w = words.At(x, y);
            if (w < kPromptOutline + 1.0f) {
                canvas.Blend(x, y, kNavy, Coverage(w - kPromptOutline));
                const float t = (py - (promptBaseline - promptCap)) / promptCap;
                Rgba fill = Mix(kWhite, Rgba{0.62f, 0.88f, 1.0f, 1}, std::clamp(t, 0.0f, 1.0f));
                float nx, ny;
                words.Normal(x, y, nx, ny);
                fill = Shade(fill, (1.0f - SmoothStep(1.0f, 2.5f, -w)) * 0.35f * FacingLight(nx, ny));
                canvas.Blend(x, y, fill, Coverage(w));
            }
        }

    // Sparkles on the ice: at the upper corners of a few letters.
    for (size_t i = 0; i < boxes.size(); ++i) {
        const GlyphBox& box = boxes[i];
        if (i == 0) DrawGlint(canvas, box.x0 + 12.0f, box.y0 + 5.0f, 34.0f, 1.0f);
        if (i == 3) DrawGlint(canvas, box.x1 - 24.0f, box.y0 + 7.0f, 26.0f, 1.0f);
        if (i == 5) DrawGlint(canvas, box.x0 + 8.0f, box.y1 - 6.0f, 18.0f, 0.9f);
        if (i == 7) DrawGlint(canvas, box.x1 - 7.0f, box.y0 + 5.0f, 30.0f, 1.0f);
    }
    // Snowflakes drifting around the name, and one at each side of the prompt.
    DrawSnowflake(canvas, 118.0f, 66.0f, 13.0f, 0.95f);
    DrawSnowflake(canvas, 300.0f, 52.0f, 8.0f, 0.85f);
    DrawSnowflake(canvas, 530.0f, 60.0f, 10.0f, 0.9f);
    DrawSnowflake(canvas, 690.0f, 70.0f, 15.0f, 0.95f);
    DrawSnowflake(canvas, 60.0f, 282.0f, 10.0f, 0.9f);
    DrawSnowflake(canvas, 742.0f, 290.0f, 9.0f, 0.85f);
    const float promptLeft = promptBoxes.front().x0, promptRight = promptBoxes.back().x1;
    DrawSnowflake(canvas, promptLeft - 30.0f, 470.0f, 12.0f, 1.0f);
    DrawSnowflake(canvas, promptRight + 30.0f, 470.0f, 12.0f, 1.0f);
    return canvas.WritePng(root + "/data/Texture/TitleLogo.png");
}

// Under the logo: a translucent dark-blue band behind the name, a smaller soft oval behind the prompt
// and a gentle vignette at the edges, all in the same deep blue, clear in the middle of the screen.
bool WriteTitleBackdrop(const std::string& root) {
    Canvas canvas(kScreenW, kScreenH);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float band = 0.42f * (1.0f - SmoothStep(70.0f, 130.0f, std::fabs(py - 178.0f)));
            const float oval = std::hypot((px - 400.0f) / 250.0f, (py - 470.0f) / 42.0f);
            const float promptBand = 0.36f * (1.0f - SmoothStep(0.5f, 1.0f, oval));
            const float edge = std::hypot((px - 400.0f) / 400.0f, (py - 300.0f) / 300.0f) / std::sqrt(2.0f);
            const float vignette = 0.5f * SmoothStep(0.55f, 1.0f, edge);
            const float alpha = 1.0f - (1.0f - band) * (1.0f - promptBand) * (1.0f - vignette);
            canvas.Set(x, y, Rgba{0.02f, 0.06f, 0.16f, alpha});
        }
    return canvas.WritePng(root + "/data/Texture/TitleLogo2.png");
}

// An opaque soft radial mask: white in the centre, black from the middle of each edge outwards.
bool WriteMask(const std::string& root) {
    Canvas canvas(kScreenW, kScreenH);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) {
            const float r = std::hypot((x + 0.5f - 400.0f) / 400.0f, (y + 0.5f - 300.0f) / 300.0f);
            const float v = 1.0f - SmoothStep(0.15f, 1.0f, r);
            canvas.Set(x, y, Rgba{v, v, v, 1.0f});
        }
    return canvas.WritePng(root + "/data/Texture/Mask.png");
}

}  // namespace

bool WriteTitleImages(const std::string& root) {
    const std::unique_ptr<Font> font = Font::Load(LetteringFonts(root));
    if (!font) return false;
    return WriteTitleLogo(root, *font) && WriteTitleBackdrop(root) && WriteMask(root);
}

bool WriteClosingImage(const std::string& root) {
    const std::unique_ptr<Font> font = Font::Load(LetteringFonts(root));
    if (!font) return false;
    constexpr int kWidth = 420, kHeight = 50;
    constexpr float kOutline = 2.5f, kGlow = 7.0f;
    Canvas canvas(kWidth, kHeight);

    // The message fills the room right of the snowflake, its ink centred on the picture's middle row.
    const std::string message = "Thank you for playing!";
    constexpr float kTextLeft = 52.0f, kTextRight = kWidth - 8.0f, kTracking = 0.5f;
    const float perPixel = font->TextWidth(message, 100.0f, 0.0f) / 100.0f;
    const float size = std::min(32.0f, (kTextRight - kTextLeft - kTracking * (message.size() - 1)) / perPixel);
    DistanceField none(0, 0);
    const std::vector<GlyphBox> measured = font->Stamp(none, message, size, 0, 0, kTracking, 0);
    float top = 1e9f, bottom = -1e9f;
    for (const GlyphBox& box : measured) top = std::min(top, box.y0), bottom = std::max(bottom, box.y1);
    const float baseline = kHeight / 2.0f - 0.5f * (top + bottom);
    const float pen = kTextLeft - measured.front().x0;
    DistanceField letters(kWidth, kHeight);
    const std::vector<GlyphBox> boxes = font->Stamp(letters, message, size, pen, baseline, kTracking, kGlow + 2.0f);
    const float capTop = baseline - font->CapHeight(size);

    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float py = y + 0.5f;
            const float d = letters.At(x, y);
            // A faint cold glow so the letters lift off the black screen, then a deep blue outline.
            canvas.Blend(x, y, Rgba{0.35f, 0.70f, 1.0f, 0.35f}, 1.0f - SmoothStep(kOutline, kGlow, d));
            canvas.Blend(x, y, Rgba{0.05f, 0.16f, 0.38f, 1.0f}, Coverage(d - kOutline));
            if (d < 1.0f) {
                const float t = std::clamp((py - capTop) / (baseline - capTop), 0.0f, 1.3f) / 1.3f;
                Rgba ice = Mix(Rgba{0.96f, 1.0f, 1.0f, 1}, Rgba{0.40f, 0.75f, 1.0f, 1}, t);
                float nx, ny;
                letters.Normal(x, y, nx, ny);
                ice = Shade(ice, (1.0f - SmoothStep(0.8f, 2.0f, -d)) * 0.5f * FacingLight(nx, ny));
                canvas.Blend(x, y, ice, Coverage(d));
            }
        }
    DrawSnowflake(canvas, 26.0f, 25.0f, 18.0f, 1.0f);
    DrawGlint(canvas, boxes.front().x0 + 3.0f, boxes.front().y0 + 2.0f, 9.0f, 0.9f);
    return canvas.WritePng(root + "/Data/Texture/Continue.png");
}
