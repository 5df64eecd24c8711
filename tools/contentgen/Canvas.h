#pragma once
// An RGBA picture being drawn by the content generator, written out as PNG (or as a 24-bit BMP
// for images drawn additively, which need no alpha).
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    float r, g, b, a;  // 0 to 1
};

class Canvas {
public:
    Canvas(int width, int height);
    int Width() const { return width; }
    int Height() const { return height; }
    // Blends colour over the pixel with the given coverage (0 to 1), "over" compositing.
    void Blend(int x, int y, Rgba colour, float coverage);
    // Replaces the pixel outright (for images computed as light rather than painted in layers).
    void Set(int x, int y, Rgba colour);
    Rgba At(int x, int y) const;
    // Both create the folders of path as needed. The BMP holds the colour laid over black.
    bool WritePng(const std::string& path) const;
    bool WriteBmp(const std::string& path) const;

private:
    int width, height;
    std::vector<Rgba> pixels;
};

// Coverage of a pixel by a shape whose signed distance at the pixel's centre is d (negative inside).
float Coverage(float d);
