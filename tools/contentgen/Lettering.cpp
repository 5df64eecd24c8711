#include "tools/contentgen/Lettering.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

// Only this file uses the rasteriser, so its functions stay private here.
#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_truetype.h>
#pragma GCC diagnostic pop

DistanceField::DistanceField(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, kFar) {}

float DistanceField::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return kFar;
    return values[static_cast<size_t>(y) * width + x];
}

float DistanceField::Sample(float x, float y) const {
    const float fx = x - 0.5f, fy = y - 0.5f;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = fx - ix, ty = fy - iy;
    const float a = At(ix, iy), b = At(ix + 1, iy), c = At(ix, iy + 1), d = At(ix + 1, iy + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

void DistanceField::Normal(int x, int y, float& nx, float& ny) const {
    const float centre = At(x, y);
    auto side = [&](int sx, int sy) {
        const float v = At(sx, sy);
        return v >= kFar ? centre : v;
    };
    nx = side(x + 1, y) - side(x - 1, y);
    ny = side(x, y + 1) - side(x, y - 1);
    const float length = std::hypot(nx, ny);
    if (length > 1e-5f) {
        nx /= length, ny /= length;
    } else {
        nx = 0, ny = -1;
    }
}

void DistanceField::Join(int x, int y, float d, float k) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    float& v = values[static_cast<size_t>(y) * width + x];
    if (k <= 0.0f || v >= kFar) {
        v = std::min(v, d);
        return;
    }
    const float h = std::clamp(0.5f + 0.5f * (v - d) / k, 0.0f, 1.0f);
    v = v + (d - v) * h - k * h * (1.0f - h);
}

struct Font::Data {
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
};

Font::Font() : data(std::make_unique<Data>()) {}
Font::~Font() = default;

std::unique_ptr<Font> Font::Load(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::ifstream file(path, std::ios::binary);
        if (!file) continue;
        std::unique_ptr<Font> font(new Font());
        font->data->bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        const unsigned char* bytes = font->data->bytes.data();
        if (font->data->bytes.empty() || !stbtt_InitFont(&font->data->info, bytes, stbtt_GetFontOffsetForIndex(bytes, 0)))
            continue;
        return font;
    }
    return nullptr;
}

float Font::TextWidth(const std::string& text, float size, float tracking, float stretchX) const {
    const float scale = stbtt_ScaleForMappingEmToPixels(&data->info, size) * stretchX;
    float width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&data->info, text[i], &advance, &bearing);
        width += advance * scale;
        if (i + 1 < text.size()) width += stbtt_GetCodepointKernAdvance(&data->info, text[i], text[i + 1]) * scale + tracking;
    }
    return width;
}

float Font::CapHeight(float size, float stretchY) const {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBox(&data->info, 'H', &x0, &y0, &x1, &y1);
    return y1 * stbtt_ScaleForMappingEmToPixels(&data->info, size) * stretchY;
}

namespace {

struct Segment {
    float ax, ay, bx, by;
};

float SegmentDistance(const Segment& s, float px, float py) {
    const float dx = s.bx - s.ax, dy = s.by - s.ay;
    const float length2 = dx * dx + dy * dy;
    const float t = length2 > 0 ? std::clamp(((px - s.ax) * dx + (py - s.ay) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (s.ax + t * dx), py - (s.ay + t * dy));
}

}  // namespace

std::vector<GlyphBox> Font::Stamp(DistanceField& field, const std::string& text, float size, float x, float baseline,
                                  float tracking, float pad, float stretchX, float stretchY) const {
    const float em = stbtt_ScaleForMappingEmToPixels(&data->info, size);
    const float sx = em * stretchX, sy = em * stretchY;
    std::vector<GlyphBox> boxes;
    float pen = x;
    for (size_t i = 0; i < text.size(); ++i) {
        const int letter = static_cast<unsigned char>(text[i]);
        // The outline as straight segments in picture pixels (y down); curves cut into short pieces.
        stbtt_vertex* vertices = nullptr;
        const int count = stbtt_GetCodepointShape(&data->info, letter, &vertices);
        std::vector<Segment> segments;
        float cx = 0, cy = 0;
        auto toX = [&](float fx) { return pen + fx * sx; };
        auto toY = [&](float fy) { return baseline - fy * sy; };
        for (int v = 0; v < count; ++v) {
            const stbtt_vertex& vertex = vertices[v];
            const float nx = toX(vertex.x), ny = toY(vertex.y);
            if (vertex.type == STBTT_vline) {
                segments.push_back({cx, cy, nx, ny});
            } else if (vertex.type == STBTT_vcurve || vertex.type == STBTT_vcubic) {
                const float c1x = toX(vertex.cx), c1y = toY(vertex.cy);
                const float c2x = vertex.type == STBTT_vcubic ? toX(vertex.cx1) : 0.0f;
                const float c2y = vertex.type == STBTT_vcubic ? toY(vertex.cy1) : 0.0f;
                constexpr int kPieces = 12;
                float lx = cx, ly = cy;
                for (int p = 1; p <= kPieces; ++p) {
                    const float t = static_cast<float>(p) / kPieces, u = 1 - t;
                    float qx, qy;
                    if (vertex.type == STBTT_vcurve) {
                        qx = u * u * cx + 2 * u * t * c1x + t * t * nx;
                        qy = u * u * cy + 2 * u * t * c1y + t * t * ny;
                    } else {
                        qx = u * u * u * cx + 3 * u * u * t * c1x + 3 * u * t * t * c2x + t * t * t * nx;
                        qy = u * u * u * cy + 3 * u * u * t * c1y + 3 * u * t * t * c2y + t * t * t * ny;
                    }
                    segments.push_back({lx, ly, qx, qy});
                    lx = qx, ly = qy;
                }
            }
            cx = nx, cy = ny;
        }
        stbtt_FreeShape(&data->info, vertices);

        if (!segments.empty()) {
            float x0 = segments[0].ax, x1 = x0, y0 = segments[0].ay, y1 = y0;
            for (const Segment& s : segments) {
                x0 = std::min({x0, s.ax, s.bx}), x1 = std::max({x1, s.ax, s.bx});
                y0 = std::min({y0, s.ay, s.by}), y1 = std::max({y1, s.ay, s.by});
            }
            boxes.push_back({static_cast<char>(letter), x0, y0, x1, y1});
            const int left = static_cast<int>(std::floor(x0 - pad)), right = static_cast<int>(std::ceil(x1 + pad));
            const int top = static_cast<int>(std::floor(y0 - pad)), bottom = static_cast<int>(std::ceil(y1 + pad));
            for (int py = std::max(top, 0); py <= std::min(bottom, field.Height() - 1); ++py) {
                for (int px = std::max(left, 0); px <= std::min(right, field.Width() - 1); ++px) {
                    const float fx = px + 0.5f, fy = py + 0.5f;
                    float nearest = DistanceField::kFar;
                    int winding = 0;
                    for (const Segment& s : segments) {
                        nearest = std::min(nearest, SegmentDistance(s, fx, fy));
                        // Non-zero winding along a ray towards +x decides inside from outside.
                        if ((s.ay <= fy) != (s.by <= fy)) {
                            const float crossX = s.ax + (fy - s.ay) / (s.by - s.ay) * (s.bx - s.ax);
                            if (crossX > fx) winding += s.by > s.ay ? 1 : -1;
                        }
                    }
                    field.Join(px, py, winding != 0 ? -nearest : nearest);
                }
            }
        }

        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&data->info, letter, &advance, &bearing);
        pen += advance * sx;
        if (i + 1 < text.size()) pen += stbtt_GetCodepointKernAdvance(&data->info, letter, text[i + 1]) * sx + tracking;
    }
    return boxes;
}

std::vector<std::string> LetteringFonts(const std::string& root) {
    return {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", root + "/data/font/toroman.ttf"};
}
