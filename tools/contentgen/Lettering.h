#pragma once
// Lettering for the generated images: text set in a TrueType font is turned into a signed distance
// field (in pixels, negative inside the letters), so that fills, outlines, bevels and shadows can all be
// drawn from one exact outline at any width.
#include <memory>
#include <string>
#include <vector>

// A grid of signed distances covering a picture; pixels never reached stay far outside.
class DistanceField {
public:
    static constexpr float kFar = 1.0e6f;
    DistanceField(int width, int height);
    int Width() const { return width; }
    int Height() const { return height; }
    // The distance at a pixel; kFar outside the grid.
    float At(int x, int y) const;
    // Bilinear lookup at a point in pixel units (pixel centres at +0.5).
    float Sample(float x, float y) const;
    // Unit vector pointing away from the shape at a pixel (central differences).
    void Normal(int x, int y, float& nx, float& ny) const;
    // Joins another shape at a pixel: hard union (k = 0) or a smooth union that rounds the joints.
    void Join(int x, int y, float d, float k = 0.0f);

private:
    int width, height;
    std::vector<float> values;
};

// Where one letter landed, in picture pixels: its ink box.
struct GlyphBox {
    char letter;
    float x0, y0, x1, y1;
};

class Font {
public:
    // Loads the first of the given font files that can be read; null when none can.
    static std::unique_ptr<Font> Load(const std::vector<std::string>& paths);
    ~Font();

    // Width in pixels of the text set at `size` pixels per em (stretched by `stretchX`), with
    // `tracking` pixels added between letters.
    float TextWidth(const std::string& text, float size, float tracking, float stretchX = 1.0f) const;
    // Height of the capital letters above the baseline at `size` (stretched by `stretchY`).
    float CapHeight(float size, float stretchY = 1.0f) const;
    // Sets the text with its pen starting at x on the baseline y into the field, reaching `pad`
    // pixels around each letter. Returns where each letter's ink ended up.
    std::vector<GlyphBox> Stamp(DistanceField& field, const std::string& text, float size, float x, float baseline,
                                float tracking, float pad, float stretchX = 1.0f, float stretchY = 1.0f) const;

private:
    Font();
    struct Data;
    std::unique_ptr<Data> data;
};

// Font files tried for the lettering: the bold face first, then the game's own copy of the regular one.
std::vector<std::string> LetteringFonts(const std::string& root);
