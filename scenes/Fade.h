#pragma once
// The two full-screen transitions over the 2D layer: cinema bars that slide in from the top and bottom,
// hold and slide out (mode 1), and a fade to black and back (mode 2 while the player walks on, as into a
// goal; mode 3 while the player stands, as for a restart). Objects start an effect by setting mode and
// time their own actions by phase; the scenes update it every frame and draw it last.
class Texture;

class Fade {
public:
    static constexpr float kBarHeight = 60.0f;
    static constexpr int kBarGrowFrames = 60;
    static constexpr int kBarHoldUntil = 80;

    static constexpr int kBars = 1;
    static constexpr int kToBlack = 2;
    static constexpr int kToBlackStill = 3;

    static Fade& GetInstance();

    // Starts a fade to black (kToBlack or kToBlackStill) from its beginning, whatever ran before.
    void StartBlack(int blackMode);
    bool Black() const { return (mode == kToBlack || mode == kToBlackStill) && phase == 1; }

    void Update();
    // Inside the sprite batch.
    void Draw();

    int mode = 0;   // 0 idle, 1 cinema bars, 2 and 3 fade to black and back
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
