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

void Canvas::Set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<size_t>(y) * width + x] = c;
}

Rgba Canvas::At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

namespace {

uint8_t Byte(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

void MakeFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
}

}  // namespace

bool Canvas::WritePng(const std::string& path) const {
    MakeFolder(path);
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 4);
    for (const Rgba& p : pixels) {
        bytes.push_back(Byte(p.r));
        bytes.push_back(Byte(p.g));
        bytes.push_back(Byte(p.b));
        bytes.push_back(Byte(p.a));
    }
    return stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4) != 0;
}

bool Canvas::WriteBmp(const std::string& path) const {
    MakeFolder(path);
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 3);
    for (const Rgba& p : pixels) {
        bytes.push_back(Byte(p.r * p.a));
        bytes.push_back(Byte(p.g * p.a));
        bytes.push_back(Byte(p.b * p.a));
    }
    return stbi_write_bmp(path.c_str(), width, height, 3, bytes.data()) != 0;
}

float Coverage(float d) { return std::clamp(0.5f - d, 0.0f, 1.0f); }
