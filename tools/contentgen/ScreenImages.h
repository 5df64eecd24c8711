#pragma once
// The images of the renderer and the transitions: the toon ramp, and the black layers of the fade.
#include <string>

// "data/Texture/Toon.png": the light ramp the toon shader looks up by how much a surface faces the
// light, in three soft-edged bands.
bool WriteToonRamp(const std::string& root);
// "data/Texture/Black.png" (the fade and cinema bars) and "data/Texture/BlackOut.png" (a vignette).
bool WriteFadeImages(const std::string& root);
