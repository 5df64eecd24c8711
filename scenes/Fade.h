#pragma once
// The two full-screen transitions over the 2D layer: cinema bars that slide in from the top and bottom,
// hold and slide out (mode 1), and a fade to black and back (mode 2). Objects start an effect by
// setting mode and time their own actions by phase; the scenes update it every frame and draw it last.
class Texture;

class Fade {
public:
    static constexpr float kBarHeight = 60.0f;
    static constexpr int kBarGrowFrames = 60;
    static constexpr int kBarHoldUntil = 80;

    static Fade& GetInstance();

    void Update();
    // Inside the sprite batch.
    void Draw();

    int mode = 0;   // 0 idle, 1 cinema bars, 2 fade to black and back
    int phase = 0;  // 0 first half; 1 black reached, or bars leaving
    Texture* black = nullptr;
    Texture* blackOut = nullptr;
    float barHeight = 0.0f;
    float barTimer = 0.0f;
    int alpha = 0;

private:
    Fade();
    void FetchTextures();
    unsigned textureGeneration = 0;
    void UpdateBars();
    void UpdateBlack();
};
