#pragma once
// The picture shown while a resource list loads: "Now Loading" with animated dots, the percentage and
// a bar drawn from two sprite sheets (the filling and the empty bar, 60 x 42 each: a 20-pixel left cap,
// a one-pixel middle slice at x 20 and a 20-pixel right cap at x 40).
#include <string>

class Texture;

class LoadingScreen {
public:
    static constexpr char kFillSheet[] = "data/Texture/Load/Load1.png";
    static constexpr char kEmptySheet[] = "data/Texture/Load/Load2.png";

    // Fetches the two sheets from the texture cache.
    LoadingScreen();

    // Draws the texts and the bar for percent (0 to 100) with the shared sprite and font, between the
    // sprite's Begin and End. frame counts from 0; every fifth frame moves the dots on.
    void DrawFrame(unsigned percent, int frame);

    // "Now Loading" and its dots for a dot count.
    static std::string LoadingText(int dots);

private:
    void DrawBar(unsigned percent);

    Texture* fill;
    Texture* empty;
    int dots = 0;
};
