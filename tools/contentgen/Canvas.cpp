#include "tools/contentgen/Canvas.h"

#include <algorithm>
#include <filesystem>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

Canvas::Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgba{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) return;
    Rgba& dst = pixels[static_cast<size_t>(y) * width + x];
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    const float outA = a + dst.a * (1.0f - a);
    if (outA <= 0.0f) return;
    auto mix = [&](float s, float d) { return (s * a + d * dst.a * (1.0f - a)) / outA; };
    dst = Rgba{mix(c.r, dst.r), mix(c.g, dst.g), mix(c.b, dst.b), outA};
}

Rgba Canvas::At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

bool Canvas::WritePng(const std::string& path) const {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 4);
    auto byte = [](float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    for (const Rgba& p : pixels) {
        bytes.push_back(byte(p.r));
        bytes.push_back(byte(p.g));
        bytes.push_back(byte(p.b));
        bytes.push_back(byte(p.a));
    }
    return stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4) != 0;
}

float Coverage(float d) { return std::clamp(0.5f - d, 0.0f, 1.0f); }
